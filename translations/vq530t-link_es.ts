<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Files</name>
    <message>
        <source>VQ setting data (*.set)|*.set|ALL files(*.*)|*.*</source>
        <translation>Datos de ajuste VQ (*.set)|*.set|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*</source>
        <translation>Datos de registro VQ (*.csv)|*.csv|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg</source>
        <translation>Imagen PNG (*.png)|*.png|Dibujo SVG (*.svg)|*.svg</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>This application is already opened!!</source>
        <translation>¡La aplicación ya está abierta!</translation>
    </message>
    <message>
        <source>CommPort was initialized.</source>
        <translation>Puerto COM inicializado.</translation>
    </message>
    <message>
        <source>ComPort cannot be opened.</source>
        <translation>No se puede abrir el puerto COM.</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>el dispositivo no existe</translation>
    </message>
    <message>
        <source>no permission, or in use by another program</source>
        <translation>sin permiso, o en uso por otro programa</translation>
    </message>
    <message>
        <source>the line settings are refused</source>
        <translation>los parámetros de la línea son rechazados</translation>
    </message>
    <message>
        <source>the port does not answer</source>
        <translation>el puerto no responde</translation>
    </message>
    <message>
        <source>the device refused</source>
        <translation>el dispositivo rechaza el acceso</translation>
    </message>
    <message>
        <source>RS232 communication fault.</source>
        <translation>Error de comunicación RS232.</translation>
    </message>
    <message>
        <source>VQ cannot be set.</source>
        <translation>No se puede ajustar el VQ.</translation>
    </message>
    <message>
        <source>Completion</source>
        <translation>Completado</translation>
    </message>
    <message>
        <source>Verify was NG.</source>
        <translation>La verificación ha fallado.</translation>
    </message>
    <message>
        <source>The controller&apos;s settings could not be backed up.</source>
        <translation>No se ha podido hacer copia de seguridad de los ajustes del variador.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>No se ha escrito nada.</translation>
    </message>
    <message>
        <source>Data is abnormal!!<byte value="xd"/>
Please set it correctly.</source>
        <translation>¡Los datos no son válidos!<byte value="xd"/>
Ajústelos correctamente.</translation>
    </message>
    <message>
        <source>Setting Data is deleted.</source>
        <translation>Los datos de ajuste están borrados.</translation>
    </message>
    <message>
        <source>VQ type is different.</source>
        <translation>El tipo de VQ no coincide.</translation>
    </message>
    <message>
        <source>Setting data has not been read from the VQ yet.<byte value="xd"/>
Please read it with &quot;Setting Data Read&quot; first.</source>
        <translation>Todavía no se han leído los datos de ajuste del VQ.<byte value="xd"/>
Léalos primero con «Leer ajustes».</translation>
    </message>
    <message>
        <source>Trouble is found in data.</source>
        <translation>Se ha encontrado un problema en los datos.</translation>
    </message>
    <message>
        <source>File not found. Create it?</source>
        <translation>No se encuentra el archivo. ¿Crearlo?</translation>
    </message>
    <message>
        <source>The file already exists. <byte value="xd"/>
Do you overwrite?</source>
        <translation>El archivo ya existe.<byte value="xd"/>
¿Desea sobrescribirlo?</translation>
    </message>
    <message>
        <source>There is no preserved data.</source>
        <translation>No hay datos guardados.</translation>
    </message>
    <message>
        <source>File cannot be saved.</source>
        <translation>No se puede guardar el archivo.</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>read-only</source>
        <translation>de solo lectura</translation>
    </message>
    <message>
        <source>can&apos;t be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <source>Setting Data Read</source>
        <translation>Leer ajustes</translation>
    </message>
    <message>
        <source>Setting Data Write</source>
        <translation>Escribir ajustes</translation>
    </message>
    <message>
        <source>Default Data Write</source>
        <translation>Escribir ajustes de fábrica</translation>
    </message>
    <message>
        <source>Data Get</source>
        <translation>Obtener datos</translation>
    </message>
    <message>
        <source>Data Clear</source>
        <translation>Borrar datos</translation>
    </message>
    <message>
        <source>Log Data</source>
        <translation>Datos de registro</translation>
    </message>
    <message>
        <source>Time(s)</source>
        <translation>t(s)</translation>
    </message>
    <message>
        <source>Voltage(V)</source>
        <translation>Tensión(V)</translation>
    </message>
    <message>
        <source>Current(A)</source>
        <translation>Corriente(A)</translation>
    </message>
    <message>
        <source>free</source>
        <translation>libre</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>en uso por otro programa</translation>
    </message>
    <message>
        <source>no permission</source>
        <translation>sin permiso</translation>
    </message>
    <message>
        <source>does not answer</source>
        <translation>no responde</translation>
    </message>
    <message>
        <source>Your user may not open serial ports: sudo adduser $USER dialout, then log out and in again.</source>
        <translation>Su usuario no puede abrir puertos serie: sudo adduser $USER dialout, después cierre la sesión y vuelva a entrar.</translation>
    </message>
    <message>
        <source>Other Ports…</source>
        <translation>Otros puertos…</translation>
    </message>
    <message>
        <source>The ports Com1 to Com16 that open now. Right-click for Other Ports…: every serial port the system has.</source>
        <translation>Los puertos Com1 a Com16 que se pueden abrir ahora. Clic derecho para Otros puertos…: todos los puertos serie del sistema.</translation>
    </message>
    <message>
        <source>Other Ports</source>
        <translation>Otros puertos</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Pinned to</source>
        <translation>Asignado a</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>Adaptador</translation>
    </message>
    <message>
        <source>Use This Port</source>
        <translation>Usar este puerto</translation>
    </message>
    <message>
        <source>No serial port found.</source>
        <translation>No se encontró ningún puerto serie.</translation>
    </message>
    <message>
        <source>Com1 to Com16 are all taken; free one under [Ports] in the profile.</source>
        <translation>Com1 a Com16 están todos ocupados; libere uno en [Ports] del perfil.</translation>
    </message>
    <message>
        <source>Copy Report</source>
        <translation>Copiar informe</translation>
    </message>
</context>
<context>
    <name>Parameters</name>
    <message>
        <source>PWM frequency(at Min. load)</source>
        <translation>Frecuencia PWM (carga mín.)</translation>
    </message>
    <message>
        <source>PWM frequency(at Max. load)</source>
        <translation>Frecuencia PWM (carga máx.)</translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation>Neutro</translation>
    </message>
    <message>
        <source>High point(forward)</source>
        <translation>Punto final (avance)</translation>
    </message>
    <message>
        <source>High point(brake)</source>
        <translation>Punto final (freno)</translation>
    </message>
    <message>
        <source>Dead Band</source>
        <translation>Banda muerta</translation>
    </message>
    <message>
        <source>Low Batt. Protection</source>
        <translation>Corte por batería baja</translation>
    </message>
    <message>
        <source>Current Limiter</source>
        <translation>Limitador de corriente</translation>
    </message>
    <message>
        <source>Brake Max. Duty</source>
        <translation>Freno máximo</translation>
    </message>
    <message>
        <source>Reverse Max Duty</source>
        <translation>Marcha atrás máxima</translation>
    </message>
    <message>
        <source>Neutral Brake</source>
        <translation>Freno en neutro</translation>
    </message>
    <message>
        <source>Current Limit timer</source>
        <translation>Temporizador del limitador</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Current Limiter(Time Limit)</source>
        <translation>Limitador de corriente (tiempo)</translation>
    </message>
    <message>
        <source>Forward Boost</source>
        <translation>Boost de avance</translation>
    </message>
    <message>
        <source>Virgin Bit</source>
        <translation>Bit virgen</translation>
    </message>
    <message>
        <source>Reverse Mode</source>
        <translation>Modo marcha atrás</translation>
    </message>
    <message>
        <source>Rev Cancel</source>
        <translation>Sin marcha atrás</translation>
    </message>
    <message>
        <source>Lipo Mode</source>
        <translation>Modo LiPo</translation>
    </message>
</context>
<context>
    <name>Ports</name>
    <message>
        <source>Not found</source>
        <translation>No encontrado</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>Número de serie: %1</translation>
    </message>
</context>
<context>
    <name>Statistics</name>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Muestras</translation>
    </message>
    <message>
        <source>Voltage minimum</source>
        <translation>Tensión mínima</translation>
    </message>
    <message>
        <source>Voltage average</source>
        <translation>Tensión media</translation>
    </message>
    <message>
        <source>Voltage maximum</source>
        <translation>Tensión máxima</translation>
    </message>
    <message>
        <source>Current minimum</source>
        <translation>Corriente mínima</translation>
    </message>
    <message>
        <source>Current average</source>
        <translation>Corriente media</translation>
    </message>
    <message>
        <source>Current maximum</source>
        <translation>Corriente máxima</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>Energía</translation>
    </message>
    <message>
        <source>Charge</source>
        <translation>Capacidad consumida</translation>
    </message>
    <message>
        <source>Voltage at peak current</source>
        <translation>Tensión con corriente máxima</translation>
    </message>
</context>
<context>
    <name>vq::FrmConfig</name>
    <message>
        <source>ComPort Setting</source>
        <translation>Ajuste del puerto COM</translation>
    </message>
    <message>
        <source>ComPort is selected, and VQ is connected.</source>
        <translation>Elija el puerto COM y conecte el VQ.</translation>
    </message>
    <message>
        <source>ComPort</source>
        <translation>Puerto COM</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>vq::FrmLog</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Scale Line</source>
        <translation>Líneas de escala</translation>
    </message>
    <message>
        <source>%1 Scale Line</source>
        <translation>%1 líneas de escala</translation>
    </message>
    <message>
        <source>Statistics…</source>
        <translation>Estadísticas…</translation>
    </message>
    <message>
        <source>Save Graph as Picture…</source>
        <translation>Guardar gráfico como imagen…</translation>
    </message>
    <message>
        <source>Copy Graph</source>
        <translation>Copiar gráfico</translation>
    </message>
    <message>
        <source>Compare with Log File…</source>
        <translation>Comparar con archivo de registro…</translation>
    </message>
    <message>
        <source>Remove Comparison</source>
        <translation>Quitar comparación</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>Restablecer zoom</translation>
    </message>
</context>
<context>
    <name>vq::FrmMain</name>
    <message>
        <source>An operation is running</source>
        <translation>Hay una operación en curso</translation>
    </message>
    <message>
        <source>No operation is running</source>
        <translation>No hay ninguna operación en curso</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Setting Data </source>
        <translation>Datos de &amp;ajuste</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>&amp;Log Data</source>
        <translation>Datos de &amp;registro</translation>
    </message>
    <message>
        <source>&amp;ComPort</source>
        <translation>&amp;Puerto COM</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma (Language)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desact.</translation>
    </message>
    <message>
        <source>Current Limiter off</source>
        <translation>Limitador de corriente desactivado</translation>
    </message>
    <message>
        <source>VQ Type</source>
        <translation>Tipo de VQ</translation>
    </message>
    <message>
        <source>ROM Version</source>
        <translation>Versión de ROM</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>Activo</translation>
    </message>
</context>
<context>
    <name>vq::PlotArea</name>
    <message>
        <source>Graph</source>
        <translation>Gráfico</translation>
    </message>
    <message>
        <source>Battery voltage and motor current against time. Left and Right move the cursor one second, Page Up and Page Down ten, Home and End to the first and last second.</source>
        <translation>Tensión de la batería y corriente del motor en el tiempo. Izquierda y Derecha mueven el cursor un segundo, Re Pág y Av Pág diez, Inicio y Fin al primer y al último segundo.</translation>
    </message>
</context>
<context>
    <name>vq::StatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <source>This run</source>
        <translation>Esta carrera</translation>
    </message>
</context>
<context>
    <name>vq::UpDownButton</name>
    <message>
        <source>Increase %1</source>
        <translation>Aumentar %1</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>Disminuir %1</translation>
    </message>
</context>
</TS>
