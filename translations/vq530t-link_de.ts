<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Files</name>
    <message>
        <source>VQ setting data (*.set)|*.set|ALL files(*.*)|*.*</source>
        <translation>VQ-Einstellungsdaten (*.set)|*.set|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*</source>
        <translation>VQ-Logdaten (*.csv)|*.csv|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg</source>
        <translation>PNG-Bild (*.png)|*.png|SVG-Zeichnung (*.svg)|*.svg</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>This application is already opened!!</source>
        <translation>Das Programm ist bereits geöffnet!</translation>
    </message>
    <message>
        <source>CommPort was initialized.</source>
        <translation>COM-Port wurde initialisiert.</translation>
    </message>
    <message>
        <source>ComPort cannot be opened.</source>
        <translation>COM-Port kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>Gerät nicht vorhanden</translation>
    </message>
    <message>
        <source>no permission, or in use by another program</source>
        <translation>keine Berechtigung, oder von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>the line settings are refused</source>
        <translation>die Schnittstellenparameter werden abgelehnt</translation>
    </message>
    <message>
        <source>the port does not answer</source>
        <translation>der Port antwortet nicht</translation>
    </message>
    <message>
        <source>the device refused</source>
        <translation>das Gerät verweigert den Zugriff</translation>
    </message>
    <message>
        <source>RS232 communication fault.</source>
        <translation>RS232-Kommunikationsfehler.</translation>
    </message>
    <message>
        <source>VQ cannot be set.</source>
        <translation>VQ kann nicht eingestellt werden.</translation>
    </message>
    <message>
        <source>Completion</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>Verify was NG.</source>
        <translation>Prüfung fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The controller&apos;s settings could not be backed up.</source>
        <translation>Die Einstellungen des Reglers konnten nicht gesichert werden.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Data is abnormal!!<byte value="xd"/>
Please set it correctly.</source>
        <translation>Die Daten sind ungültig!<byte value="xd"/>
Bitte richtig einstellen.</translation>
    </message>
    <message>
        <source>Setting Data is deleted.</source>
        <translation>Die Einstellungsdaten sind gelöscht.</translation>
    </message>
    <message>
        <source>VQ type is different.</source>
        <translation>Der VQ-Typ passt nicht.</translation>
    </message>
    <message>
        <source>Setting data has not been read from the VQ yet.<byte value="xd"/>
Please read it with &quot;Setting Data Read&quot; first.</source>
        <translation>Die Einstellungsdaten wurden noch nicht aus dem VQ gelesen.<byte value="xd"/>
Bitte zuerst mit „Einstellungen lesen“ lesen.</translation>
    </message>
    <message>
        <source>Trouble is found in data.</source>
        <translation>In den Daten wurde ein Fehler gefunden.</translation>
    </message>
    <message>
        <source>File not found. Create it?</source>
        <translation>Datei nicht gefunden. Neu anlegen?</translation>
    </message>
    <message>
        <source>The file already exists. <byte value="xd"/>
Do you overwrite?</source>
        <translation>Die Datei ist bereits vorhanden.<byte value="xd"/>
Überschreiben?</translation>
    </message>
    <message>
        <source>There is no preserved data.</source>
        <translation>Es sind keine Daten vorhanden.</translation>
    </message>
    <message>
        <source>File cannot be saved.</source>
        <translation>Die Datei kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>ist ein Ordner</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>read-only</source>
        <translation>schreibgeschützt</translation>
    </message>
    <message>
        <source>can&apos;t be read</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Setting Data Read</source>
        <translation>Einstellungen lesen</translation>
    </message>
    <message>
        <source>Setting Data Write</source>
        <translation>Einstellungen schreiben</translation>
    </message>
    <message>
        <source>Default Data Write</source>
        <translation>Werksdaten schreiben</translation>
    </message>
    <message>
        <source>Data Get</source>
        <translation>Daten holen</translation>
    </message>
    <message>
        <source>Data Clear</source>
        <translation>Daten löschen</translation>
    </message>
    <message>
        <source>Log Data</source>
        <translation>Logdaten</translation>
    </message>
    <message>
        <source>Time(s)</source>
        <translation>Zeit(s)</translation>
    </message>
    <message>
        <source>Voltage(V)</source>
        <translation>Spannung(V)</translation>
    </message>
    <message>
        <source>Current(A)</source>
        <translation>Strom(A)</translation>
    </message>
    <message>
        <source>free</source>
        <translation>frei</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>no permission</source>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <source>does not answer</source>
        <translation>antwortet nicht</translation>
    </message>
    <message>
        <source>Your user may not open serial ports: sudo adduser $USER dialout, then log out and in again.</source>
        <translation>Ihr Benutzer darf keine seriellen Ports öffnen: sudo adduser $USER dialout, dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>Other Ports…</source>
        <translation>Weitere Ports…</translation>
    </message>
    <message>
        <source>The ports Com1 to Com16 that open now. Right-click for Other Ports…: every serial port the system has.</source>
        <translation>Die Ports Com1 bis Com16, die sich jetzt öffnen lassen. Rechtsklick für Weitere Ports…: jeder serielle Port des Systems.</translation>
    </message>
    <message>
        <source>Other Ports</source>
        <translation>Weitere Ports</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Pinned to</source>
        <translation>Zugeordnet zu</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>Use This Port</source>
        <translation>Diesen Port verwenden</translation>
    </message>
    <message>
        <source>No serial port found.</source>
        <translation>Kein serieller Port gefunden.</translation>
    </message>
    <message>
        <source>Com1 to Com16 are all taken; free one under [Ports] in the profile.</source>
        <translation>Com1 bis Com16 sind alle vergeben; geben Sie einen unter [Ports] im Profil frei.</translation>
    </message>
    <message>
        <source>Copy Report</source>
        <translation>Bericht kopieren</translation>
    </message>
</context>
<context>
    <name>Parameters</name>
    <message>
        <source>PWM frequency(at Min. load)</source>
        <translation>PWM-Frequenz (min. Last)</translation>
    </message>
    <message>
        <source>PWM frequency(at Max. load)</source>
        <translation>PWM-Frequenz (max. Last)</translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation>Neutral</translation>
    </message>
    <message>
        <source>High point(forward)</source>
        <translation>Endpunkt (vorwärts)</translation>
    </message>
    <message>
        <source>High point(brake)</source>
        <translation>Endpunkt (Bremse)</translation>
    </message>
    <message>
        <source>Dead Band</source>
        <translation>Totzone</translation>
    </message>
    <message>
        <source>Low Batt. Protection</source>
        <translation>Unterspannungsschutz</translation>
    </message>
    <message>
        <source>Current Limiter</source>
        <translation>Strombegrenzung</translation>
    </message>
    <message>
        <source>Brake Max. Duty</source>
        <translation>Max. Bremsleistung</translation>
    </message>
    <message>
        <source>Reverse Max Duty</source>
        <translation>Max. Rückwärtsleistung</translation>
    </message>
    <message>
        <source>Neutral Brake</source>
        <translation>Neutralbremse</translation>
    </message>
    <message>
        <source>Current Limit timer</source>
        <translation>Strombegrenzungszeit</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Current Limiter(Time Limit)</source>
        <translation>Strombegrenzung (zeitlich)</translation>
    </message>
    <message>
        <source>Forward Boost</source>
        <translation>Vorwärts-Boost</translation>
    </message>
    <message>
        <source>Virgin Bit</source>
        <translation>Virgin-Bit</translation>
    </message>
    <message>
        <source>Reverse Mode</source>
        <translation>Rückwärtsmodus</translation>
    </message>
    <message>
        <source>Rev Cancel</source>
        <translation>Rückwärts aus</translation>
    </message>
    <message>
        <source>Lipo Mode</source>
        <translation>LiPo-Modus</translation>
    </message>
</context>
<context>
    <name>Ports</name>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Voltage minimum</source>
        <translation>Spannung Minimum</translation>
    </message>
    <message>
        <source>Voltage average</source>
        <translation>Spannung Mittelwert</translation>
    </message>
    <message>
        <source>Voltage maximum</source>
        <translation>Spannung Maximum</translation>
    </message>
    <message>
        <source>Current minimum</source>
        <translation>Strom Minimum</translation>
    </message>
    <message>
        <source>Current average</source>
        <translation>Strom Mittelwert</translation>
    </message>
    <message>
        <source>Current maximum</source>
        <translation>Strom Maximum</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>Energie</translation>
    </message>
    <message>
        <source>Charge</source>
        <translation>Verbrauchte Kapazität</translation>
    </message>
    <message>
        <source>Voltage at peak current</source>
        <translation>Spannung bei Spitzenstrom</translation>
    </message>
</context>
<context>
    <name>vq::FrmConfig</name>
    <message>
        <source>ComPort Setting</source>
        <translation>COM-Port-Einstellung</translation>
    </message>
    <message>
        <source>ComPort is selected, and VQ is connected.</source>
        <translation>COM-Port wählen und den VQ anschließen.</translation>
    </message>
    <message>
        <source>ComPort</source>
        <translation>COM-Port</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbruch</translation>
    </message>
</context>
<context>
    <name>vq::FrmLog</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Scale Line</source>
        <translation>Gitterlinien</translation>
    </message>
    <message>
        <source>%1 Scale Line</source>
        <translation>%1 Gitterlinien</translation>
    </message>
    <message>
        <source>Statistics…</source>
        <translation>Statistik…</translation>
    </message>
    <message>
        <source>Save Graph as Picture…</source>
        <translation>Grafik als Bild speichern…</translation>
    </message>
    <message>
        <source>Copy Graph</source>
        <translation>Grafik kopieren</translation>
    </message>
    <message>
        <source>Compare with Log File…</source>
        <translation>Mit Logdatei vergleichen…</translation>
    </message>
    <message>
        <source>Remove Comparison</source>
        <translation>Vergleich entfernen</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>Zoom zurücksetzen</translation>
    </message>
</context>
<context>
    <name>vq::FrmMain</name>
    <message>
        <source>An operation is running</source>
        <translation>Ein Vorgang läuft</translation>
    </message>
    <message>
        <source>No operation is running</source>
        <translation>Kein Vorgang läuft</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Setting Data </source>
        <translation>&amp;Einstellungsdaten</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Log Data</source>
        <translation>&amp;Logdaten</translation>
    </message>
    <message>
        <source>&amp;ComPort</source>
        <translation>&amp;COM-Port</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache (Language)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Current Limiter off</source>
        <translation>Strombegrenzung aus</translation>
    </message>
    <message>
        <source>VQ Type</source>
        <translation>VQ-Typ</translation>
    </message>
    <message>
        <source>ROM Version</source>
        <translation>ROM-Version</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>Aktiv</translation>
    </message>
</context>
<context>
    <name>vq::PlotArea</name>
    <message>
        <source>Graph</source>
        <translation>Grafik</translation>
    </message>
    <message>
        <source>Battery voltage and motor current against time. Left and Right move the cursor one second, Page Up and Page Down ten, Home and End to the first and last second.</source>
        <translation>Akkuspannung und Motorstrom über der Zeit. Links und Rechts bewegen den Cursor um eine Sekunde, Bild auf und Bild ab um zehn, Pos1 und Ende zur ersten und letzten Sekunde.</translation>
    </message>
</context>
<context>
    <name>vq::StatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>This run</source>
        <translation>Dieser Lauf</translation>
    </message>
</context>
<context>
    <name>vq::UpDownButton</name>
    <message>
        <source>Increase %1</source>
        <translation>%1 erhöhen</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1 verringern</translation>
    </message>
</context>
</TS>
