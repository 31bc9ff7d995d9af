<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Files</name>
    <message>
        <source>VQ setting data (*.set)|*.set|ALL files(*.*)|*.*</source>
        <translation>Données de réglage VQ (*.set)|*.set|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*</source>
        <translation>Données du journal VQ (*.csv)|*.csv|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg</source>
        <translation>Image PNG (*.png)|*.png|Dessin SVG (*.svg)|*.svg</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>This application is already opened!!</source>
        <translation>L&apos;application est déjà ouverte !</translation>
    </message>
    <message>
        <source>CommPort was initialized.</source>
        <translation>Port COM initialisé.</translation>
    </message>
    <message>
        <source>ComPort cannot be opened.</source>
        <translation>Impossible d&apos;ouvrir le port COM.</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>périphérique introuvable</translation>
    </message>
    <message>
        <source>no permission, or in use by another program</source>
        <translation>pas d&apos;autorisation, ou utilisé par un autre programme</translation>
    </message>
    <message>
        <source>the line settings are refused</source>
        <translation>les paramètres de la ligne sont refusés</translation>
    </message>
    <message>
        <source>the port does not answer</source>
        <translation>le port ne répond pas</translation>
    </message>
    <message>
        <source>the device refused</source>
        <translation>le périphérique refuse l&apos;accès</translation>
    </message>
    <message>
        <source>RS232 communication fault.</source>
        <translation>Erreur de communication RS232.</translation>
    </message>
    <message>
        <source>VQ cannot be set.</source>
        <translation>Impossible de régler le VQ.</translation>
    </message>
    <message>
        <source>Completion</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Verify was NG.</source>
        <translation>La vérification a échoué.</translation>
    </message>
    <message>
        <source>The controller&apos;s settings could not be backed up.</source>
        <translation>Impossible de sauvegarder les réglages du variateur.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Data is abnormal!!<byte value="xd"/>
Please set it correctly.</source>
        <translation>Les données ne sont pas valides !<byte value="xd"/>
Veuillez les régler correctement.</translation>
    </message>
    <message>
        <source>Setting Data is deleted.</source>
        <translation>Les données de réglage sont effacées.</translation>
    </message>
    <message>
        <source>VQ type is different.</source>
        <translation>Le type de VQ ne correspond pas.</translation>
    </message>
    <message>
        <source>Setting data has not been read from the VQ yet.<byte value="xd"/>
Please read it with &quot;Setting Data Read&quot; first.</source>
        <translation>Les données de réglage n&apos;ont pas encore été lues dans le VQ.<byte value="xd"/>
Lisez-les d&apos;abord avec « Lire les réglages ».</translation>
    </message>
    <message>
        <source>Trouble is found in data.</source>
        <translation>Un problème a été trouvé dans les données.</translation>
    </message>
    <message>
        <source>File not found. Create it?</source>
        <translation>Fichier introuvable. Le créer ?</translation>
    </message>
    <message>
        <source>The file already exists. <byte value="xd"/>
Do you overwrite?</source>
        <translation>Le fichier existe déjà.<byte value="xd"/>
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>There is no preserved data.</source>
        <translation>Aucune donnée à enregistrer.</translation>
    </message>
    <message>
        <source>File cannot be saved.</source>
        <translation>Impossible d&apos;enregistrer le fichier.</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>est un dossier</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>read-only</source>
        <translation>en lecture seule</translation>
    </message>
    <message>
        <source>can&apos;t be read</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>Setting Data Read</source>
        <translation>Lire les réglages</translation>
    </message>
    <message>
        <source>Setting Data Write</source>
        <translation>Écrire les réglages</translation>
    </message>
    <message>
        <source>Default Data Write</source>
        <translation>Réglages d&apos;usine</translation>
    </message>
    <message>
        <source>Data Get</source>
        <translation>Lire les données</translation>
    </message>
    <message>
        <source>Data Clear</source>
        <translation>Effacer les données</translation>
    </message>
    <message>
        <source>Log Data</source>
        <translation>Données du journal</translation>
    </message>
    <message>
        <source>Time(s)</source>
        <translation>t(s)</translation>
    </message>
    <message>
        <source>Voltage(V)</source>
        <translation>Tension(V)</translation>
    </message>
    <message>
        <source>Current(A)</source>
        <translation>Courant(A)</translation>
    </message>
    <message>
        <source>free</source>
        <translation>libre</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>utilisé par un autre programme</translation>
    </message>
    <message>
        <source>no permission</source>
        <translation>pas d’autorisation</translation>
    </message>
    <message>
        <source>does not answer</source>
        <translation>ne répond pas</translation>
    </message>
    <message>
        <source>Your user may not open serial ports: sudo adduser $USER dialout, then log out and in again.</source>
        <translation>Votre utilisateur ne peut pas ouvrir les ports série : sudo adduser $USER dialout, puis déconnectez-vous et reconnectez-vous.</translation>
    </message>
    <message>
        <source>Other Ports…</source>
        <translation>Autres ports…</translation>
    </message>
    <message>
        <source>The ports Com1 to Com16 that open now. Right-click for Other Ports…: every serial port the system has.</source>
        <translation>Les ports Com1 à Com16 qui s’ouvrent maintenant. Clic droit pour Autres ports… : tous les ports série du système.</translation>
    </message>
    <message>
        <source>Other Ports</source>
        <translation>Autres ports</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Pinned to</source>
        <translation>Attribué à</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>Adaptateur</translation>
    </message>
    <message>
        <source>Use This Port</source>
        <translation>Utiliser ce port</translation>
    </message>
    <message>
        <source>No serial port found.</source>
        <translation>Aucun port série trouvé.</translation>
    </message>
    <message>
        <source>Com1 to Com16 are all taken; free one under [Ports] in the profile.</source>
        <translation>Com1 à Com16 sont tous pris ; libérez-en un sous [Ports] dans le profil.</translation>
    </message>
    <message>
        <source>Copy Report</source>
        <translation>Copier le rapport</translation>
    </message>
</context>
<context>
    <name>Parameters</name>
    <message>
        <source>PWM frequency(at Min. load)</source>
        <translation>Fréquence PWM (charge min.)</translation>
    </message>
    <message>
        <source>PWM frequency(at Max. load)</source>
        <translation>Fréquence PWM (charge max.)</translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation>Neutre</translation>
    </message>
    <message>
        <source>High point(forward)</source>
        <translation>Point haut (avant)</translation>
    </message>
    <message>
        <source>High point(brake)</source>
        <translation>Point haut (frein)</translation>
    </message>
    <message>
        <source>Dead Band</source>
        <translation>Zone morte</translation>
    </message>
    <message>
        <source>Low Batt. Protection</source>
        <translation>Coupure batterie faible</translation>
    </message>
    <message>
        <source>Current Limiter</source>
        <translation>Limiteur de courant</translation>
    </message>
    <message>
        <source>Brake Max. Duty</source>
        <translation>Frein max.</translation>
    </message>
    <message>
        <source>Reverse Max Duty</source>
        <translation>Marche arrière max.</translation>
    </message>
    <message>
        <source>Neutral Brake</source>
        <translation>Frein au neutre</translation>
    </message>
    <message>
        <source>Current Limit timer</source>
        <translation>Durée du limiteur</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Current Limiter(Time Limit)</source>
        <translation>Limiteur de courant (durée)</translation>
    </message>
    <message>
        <source>Forward Boost</source>
        <translation>Boost avant</translation>
    </message>
    <message>
        <source>Virgin Bit</source>
        <translation>Bit vierge</translation>
    </message>
    <message>
        <source>Reverse Mode</source>
        <translation>Mode marche arrière</translation>
    </message>
    <message>
        <source>Rev Cancel</source>
        <translation>Sans marche arrière</translation>
    </message>
    <message>
        <source>Lipo Mode</source>
        <translation>Mode LiPo</translation>
    </message>
</context>
<context>
    <name>Ports</name>
    <message>
        <source>Not found</source>
        <translation>Introuvable</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Numéro de série : %1</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Échantillons</translation>
    </message>
    <message>
        <source>Voltage minimum</source>
        <translation>Tension minimale</translation>
    </message>
    <message>
        <source>Voltage average</source>
        <translation>Tension moyenne</translation>
    </message>
    <message>
        <source>Voltage maximum</source>
        <translation>Tension maximale</translation>
    </message>
    <message>
        <source>Current minimum</source>
        <translation>Courant minimal</translation>
    </message>
    <message>
        <source>Current average</source>
        <translation>Courant moyen</translation>
    </message>
    <message>
        <source>Current maximum</source>
        <translation>Courant maximal</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>Énergie</translation>
    </message>
    <message>
        <source>Charge</source>
        <translation>Capacité consommée</translation>
    </message>
    <message>
        <source>Voltage at peak current</source>
        <translation>Tension au courant maximal</translation>
    </message>
</context>
<context>
    <name>vq::FrmConfig</name>
    <message>
        <source>ComPort Setting</source>
        <translation>Réglage du port COM</translation>
    </message>
    <message>
        <source>ComPort is selected, and VQ is connected.</source>
        <translation>Choisissez le port COM et branchez le VQ.</translation>
    </message>
    <message>
        <source>ComPort</source>
        <translation>Port COM</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>vq::FrmLog</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Scale Line</source>
        <translation>Lignes d&apos;échelle</translation>
    </message>
    <message>
        <source>%1 Scale Line</source>
        <translation>%1 lignes d&apos;échelle</translation>
    </message>
    <message>
        <source>Statistics…</source>
        <translation>Statistiques…</translation>
    </message>
    <message>
        <source>Save Graph as Picture…</source>
        <translation>Enregistrer le graphique en image…</translation>
    </message>
    <message>
        <source>Copy Graph</source>
        <translation>Copier le graphique</translation>
    </message>
    <message>
        <source>Compare with Log File…</source>
        <translation>Comparer avec un fichier journal…</translation>
    </message>
    <message>
        <source>Remove Comparison</source>
        <translation>Retirer la comparaison</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>Réinitialiser le zoom</translation>
    </message>
</context>
<context>
    <name>vq::FrmMain</name>
    <message>
        <source>An operation is running</source>
        <translation>Une opération est en cours</translation>
    </message>
    <message>
        <source>No operation is running</source>
        <translation>Aucune opération en cours</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Setting Data </source>
        <translation>Données de &amp;réglage</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Log Data</source>
        <translation>Données du &amp;journal</translation>
    </message>
    <message>
        <source>&amp;ComPort</source>
        <translation>&amp;Port COM</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue (Language)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désact.</translation>
    </message>
    <message>
        <source>Current Limiter off</source>
        <translation>Limiteur de courant désactivé</translation>
    </message>
    <message>
        <source>VQ Type</source>
        <translation>Type de VQ</translation>
    </message>
    <message>
        <source>ROM Version</source>
        <translation>Version de ROM</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>Actif</translation>
    </message>
</context>
<context>
    <name>vq::PlotArea</name>
    <message>
        <source>Graph</source>
        <translation>Graphique</translation>
    </message>
    <message>
        <source>Battery voltage and motor current against time. Left and Right move the cursor one second, Page Up and Page Down ten, Home and End to the first and last second.</source>
        <translation>Tension de la batterie et courant du moteur en fonction du temps. Gauche et Droite déplacent le curseur d&apos;une seconde, Page préc. et Page suiv. de dix, Début et Fin à la première et à la dernière seconde.</translation>
    </message>
</context>
<context>
    <name>vq::StatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>This run</source>
        <translation>Cette course</translation>
    </message>
</context>
<context>
    <name>vq::UpDownButton</name>
    <message>
        <source>Increase %1</source>
        <translation>Augmenter %1</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>Diminuer %1</translation>
    </message>
</context>
</TS>
