<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>BatteryCondition</name>
    <message>
        <source>Good</source>
        <translation>Buena</translation>
    </message>
    <message>
        <source>Fair</source>
        <translation>Aceptable</translation>
    </message>
    <message>
        <source>Poor</source>
        <translation>Mala</translation>
    </message>
</context>
<context>
    <name>BatterySnapshot</name>
    <message>
        <source>Fully Charged</source>
        <translation>Carga completa</translation>
    </message>
    <message>
        <source>Calculating…</source>
        <translation>Calculando…</translation>
    </message>
</context>
<context>
    <name>DiskSnapshot</name>
    <message>
        <source>System Disk</source>
        <translation>Disco del sistema</translation>
    </message>
</context>
<context>
    <name>Dunmorra::AlertsMonitor</name>
    <message>
        <source>High CPU Usage</source>
        <translation>Uso elevado de CPU</translation>
    </message>
    <message>
        <source>CPU above %1 for 30 s (%2 now)</source>
        <translation>CPU por encima del %1 durante 30 s (%2 ahora)</translation>
    </message>
    <message>
        <source>CPU Core Saturated</source>
        <translation>Núcleo de CPU saturado</translation>
    </message>
    <message>
        <source>Core %1 at %2 for 20 s — a process may be spinning</source>
        <translation>Núcleo %1 al %2 durante 20 s: puede que un proceso esté en bucle</translation>
    </message>
    <message>
        <source>Memory Pressure: %1</source>
        <translation>Presión de memoria: %1</translation>
    </message>
    <message>
        <source>%1 GB used of %2 GB — consider closing unused apps</source>
        <translation>%1 GB usados de %2 GB: plantéate cerrar las aplicaciones que no uses</translation>
    </message>
    <message>
        <source>Low Disk Space</source>
        <translation>Poco espacio en disco</translation>
    </message>
    <message>
        <source>%1 free — %2 GB remaining</source>
        <translation>%1 libre: quedan %2 GB</translation>
    </message>
    <message>
        <source>Daily Data Usage</source>
        <translation>Consumo diario de datos</translation>
    </message>
    <message>
        <source>You&apos;ve used %1 GB of data today</source>
        <translation>Hoy has consumido %1 GB de datos</translation>
    </message>
</context>
<context>
    <name>Dunmorra::AudioTab</name>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Frecuencia de muestreo</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Canales</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Conexión</translation>
    </message>
    <message>
        <source>Muted</source>
        <translation>Silenciado</translation>
    </message>
    <message>
        <source>Mic</source>
        <translation>Micrófono</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Reproducción</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrada</translation>
    </message>
    <message>
        <source>Using Audio Now</source>
        <translation>Usando audio ahora</translation>
    </message>
    <message>
        <source>No apps are currently playing audio or using the microphone.</source>
        <translation>Ninguna app está reproduciendo audio ni usando el micrófono.</translation>
    </message>
    <message>
        <source>Available Devices</source>
        <translation>Dispositivos disponibles</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Estéreo</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation type="vanished">%1 %</translation>
    </message>
</context>
<context>
    <name>Dunmorra::BreadcrumbBar</name>
    <message>
        <source>Hide hidden files</source>
        <translation>Ocultar archivos ocultos</translation>
    </message>
    <message>
        <source>Show hidden files</source>
        <translation>Mostrar archivos ocultos</translation>
    </message>
    <message>
        <source>Enclosing folder</source>
        <translation>Carpeta superior</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
</context>
<context>
    <name>Dunmorra::CPUTab</name>
    <message>
        <source>CPU Usage</source>
        <translation>Uso de CPU</translation>
    </message>
    <message>
        <source>Metric trend</source>
        <translation type="vanished">Tendencia de la métrica</translation>
    </message>
    <message>
        <source>60s ago</source>
        <translation>hace 60 s</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Ahora</translation>
    </message>
    <message>
        <source>Chip</source>
        <translation>Chip</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modelo</translation>
    </message>
    <message>
        <source>Cores</source>
        <translation>Núcleos</translation>
    </message>
    <message>
        <source>Per-core usage</source>
        <translation>Uso por núcleo</translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation>Historial de uso</translation>
    </message>
    <message>
        <source>Top processes unavailable</source>
        <translation>Procesos principales no disponibles</translation>
    </message>
    <message>
        <source>The sandbox does not allow access to per-process CPU data.</source>
        <translation>El entorno aislado no permite acceder a los datos de CPU por proceso.</translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation>Procesos principales</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
</context>
<context>
    <name>Dunmorra::ConnectionCard</name>
    <message>
        <source>Current Connection</source>
        <translation>Conexión actual</translation>
    </message>
    <message>
        <source>·</source>
        <translation>·</translation>
    </message>
    <message>
        <source>Allow location for Wi-Fi name</source>
        <translation>Permitir la ubicación para el nombre de la Wi-Fi</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recargar</translation>
    </message>
    <message>
        <source>Reload connection info</source>
        <translation>Recargar la información de la conexión</translation>
    </message>
</context>
<context>
    <name>Dunmorra::CoreBar</name>
    <message>
        <source>performance</source>
        <translation>de rendimiento</translation>
    </message>
    <message>
        <source>efficiency</source>
        <translation>de eficiencia</translation>
    </message>
    <message>
        <source>%1 %2 core, %3 percent</source>
        <translation>Núcleo %1 %2, %3 por ciento</translation>
    </message>
    <message>
        <source> core usage over last 60 seconds</source>
        <translation> uso del núcleo en los últimos 60 segundos</translation>
    </message>
    <message>
        <source>Performance</source>
        <translation>Rendimiento</translation>
    </message>
    <message>
        <source>Efficiency</source>
        <translation>Eficiencia</translation>
    </message>
    <message>
        <source>%1 core, %2 percent</source>
        <translation>Núcleo %1, %2 por ciento</translation>
    </message>
</context>
<context>
    <name>Dunmorra::DayFile</name>
    <message>
        <source>No data folder is known for the history</source>
        <translation>No se conoce ninguna carpeta de datos para el historial</translation>
    </message>
    <message>
        <source>Could not create the folder %1</source>
        <translation>No se pudo crear la carpeta %1</translation>
    </message>
    <message>
        <source>The file could not be written completely</source>
        <translation>No se pudo escribir el archivo completo</translation>
    </message>
</context>
<context>
    <name>Dunmorra::DiskTab</name>
    <message>
        <source>Read</source>
        <translation>Lectura</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Escritura</translation>
    </message>
    <message>
        <source>Metric trend</source>
        <translation type="vanished">Tendencia de la métrica</translation>
    </message>
    <message>
        <source>I/O history  (last 60 s)</source>
        <translation>Historial de E/S  (últimos 60 s)</translation>
    </message>
    <message>
        <source>Volumes</source>
        <translation>Volúmenes</translation>
    </message>
    <message>
        <source>%1 free</source>
        <translation>%1 libres</translation>
    </message>
    <message>
        <source>%1 used</source>
        <translation>%1 usados</translation>
    </message>
    <message>
        <source>%1 total</source>
        <translation>%1 en total</translation>
    </message>
</context>
<context>
    <name>Dunmorra::DualSparklineView</name>
    <message>
        <source>Dual metric trend</source>
        <translation>Tendencia de dos métricas</translation>
    </message>
</context>
<context>
    <name>Dunmorra::FileTypesCard</name>
    <message>
        <source>File types</source>
        <translation>Tipos de archivo</translation>
    </message>
    <message>
        <source>File types for direct children only — not recursive.</source>
        <translation>Tipos de archivo solo de los elementos directos — no recursivo.</translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderItemActions</name>
    <message>
        <source>Open in File Manager</source>
        <translation>Abrir en el gestor de archivos</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Copiar ruta</translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderListCard</name>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Size share</source>
        <translation>Proporción</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>This folder can&apos;t be read</source>
        <translation>No se puede leer esta carpeta</translation>
    </message>
    <message>
        <source>This folder is empty</source>
        <translation>Esta carpeta está vacía</translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderRowDelegate</name>
    <message>
        <source>Unreadable</source>
        <translation>Ilegible</translation>
    </message>
    <message>
        <source>This folder could not be read</source>
        <translation>No se pudo leer esta carpeta</translation>
    </message>
    <message>
        <source>Some items could not be read: the size leaves them out</source>
        <translation>Algunos elementos no se pudieron leer: el tamaño no los incluye</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n archivo</numerusform>
            <numerusform>%n archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderSummaryRow</name>
    <message>
        <source>Home</source>
        <translation>Carpeta personal</translation>
    </message>
    <message>
        <source>Partial total: some folders are not sized or could not be read in full</source>
        <translation>Total parcial: algunas carpetas no están medidas o no se pudieron leer por completo</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Usado</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Libre</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message numerus="yes">
        <source>%n folders</source>
        <translation>
            <numerusform>%n carpeta</numerusform>
            <numerusform>%n carpetas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n archivo</numerusform>
            <numerusform>%n archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Unreadable</source>
        <translation>Ilegible</translation>
    </message>
    <message>
        <source>This folder can&apos;t be read</source>
        <translation>No se puede leer esta carpeta</translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderTab</name>
    <message>
        <source>Folder browser unavailable</source>
        <translation>Explorador de carpetas no disponible</translation>
    </message>
    <message>
        <source>The sandbox restricts filesystem access.</source>
        <translation>El entorno aislado restringe el acceso al sistema de archivos.</translation>
    </message>
    <message>
        <source>Folder browser is not available
in the sandboxed version.</source>
        <translation>El explorador de carpetas no está disponible
en la versión aislada.</translation>
    </message>
    <message>
        <source>Hide this tab</source>
        <translation>Ocultar esta pestaña</translation>
    </message>
</context>
<context>
    <name>Dunmorra::HealthTrendSection</name>
    <message>
        <source>Health trend (7 days)</source>
        <translation>Tendencia de la salud (7 días)</translation>
    </message>
    <message>
        <source>No measurable change in the past 7 days</source>
        <translation>Sin cambios apreciables en los últimos 7 días</translation>
    </message>
    <message>
        <source>Battery health over the past 7 days</source>
        <translation>Salud de la batería en los últimos 7 días</translation>
    </message>
    <message>
        <source>7 days ago</source>
        <translation>Hace 7 días</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>Stable at %1%</source>
        <translation type="vanished">Estable en %1 %</translation>
    </message>
    <message>
        <source>Stable at %1</source>
        <translation>Estable en %1</translation>
    </message>
</context>
<context>
    <name>Dunmorra::HistoryRecorder</name>
    <message>
        <source>could not keep the unreadable file %1: %2</source>
        <translation>no se pudo conservar el archivo ilegible %1: %2</translation>
    </message>
</context>
<context>
    <name>Dunmorra::InterfacesSection</name>
    <message>
        <source>Interface</source>
        <translation>Interfaz</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Dirección IP</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Enviado</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Recibido</translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>No active interfaces</source>
        <translation>No hay interfaces activas</translation>
    </message>
</context>
<context>
    <name>Dunmorra::MemoryTab</name>
    <message>
        <source>Memory Used</source>
        <translation>Memoria usada</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>Presión</translation>
    </message>
    <message>
        <source>Wired</source>
        <translation>No paginable</translation>
    </message>
    <message>
        <source>Compressed</source>
        <translation>Comprimida</translation>
    </message>
    <message>
        <source>Swap Used</source>
        <translation>Intercambio usado</translation>
    </message>
    <message>
        <source>Memory breakdown</source>
        <translation>Desglose de la memoria</translation>
    </message>
    <message>
        <source>App Memory</source>
        <translation>Memoria de apps</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Libre</translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation>Historial de uso</translation>
    </message>
    <message>
        <source>Memory usage history</source>
        <translation>Historial de uso de la memoria</translation>
    </message>
    <message>
        <source>Top processes unavailable</source>
        <translation>Procesos principales no disponibles</translation>
    </message>
    <message>
        <source>The sandbox does not allow access to per-process memory data.</source>
        <translation>El entorno aislado no permite acceder a los datos de memoria por proceso.</translation>
    </message>
    <message>
        <source>Top processes by memory</source>
        <translation>Procesos principales por memoria</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
    <message>
        <source>Nominal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Critical</source>
        <translation>Crítica</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>of %1 total</source>
        <translation>de %1 en total</translation>
    </message>
</context>
<context>
    <name>Dunmorra::MenuBarPopover</name>
    <message>
        <source>No metrics selected — enable some in Settings.</source>
        <translation>No hay métricas seleccionadas: activa alguna en Ajustes.</translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation>Procesos principales</translation>
    </message>
    <message>
        <source>Open main window</source>
        <translation>Abrir la ventana principal</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Quit Halvorin</source>
        <translation>Salir de Halvorin</translation>
    </message>
</context>
<context>
    <name>Dunmorra::NetworkTab</name>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewAudioCard</name>
    <message>
        <source>Audio activity is not recorded in history</source>
        <translation>La actividad de audio no se guarda en el historial</translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation>SALIDA</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>ENTRADA</translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation>ACTIVO</translation>
    </message>
    <message>
        <source>Muted</source>
        <translation>Silenciado</translation>
    </message>
    <message>
        <source>No audio at this moment.</source>
        <translation>No hay audio en este momento.</translation>
    </message>
    <message>
        <source>%1 apps using audio</source>
        <translation>%1 apps usando audio</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewBatteryCard</name>
    <message>
        <source>Battery</source>
        <translation>Batería</translation>
    </message>
    <message>
        <source>Started %1%  ·  Ended %2%</source>
        <translation type="vanished">Empezó %1%  ·  Terminó %2%</translation>
    </message>
    <message>
        <source>Not recorded on this day</source>
        <translation>No registrada este día</translation>
    </message>
    <message>
        <source>No battery found</source>
        <translation>No se encontró ninguna batería</translation>
    </message>
    <message>
        <source>Started %1  ·  Ended %2</source>
        <translation>Empezó %1  ·  Terminó %2</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewCpuCard</name>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Metric trend</source>
        <translation type="vanished">Tendencia de la métrica</translation>
    </message>
    <message>
        <source>Collecting…</source>
        <translation>Recopilando…</translation>
    </message>
    <message>
        <source>Last %1 s</source>
        <translation>Últimos %1 s</translation>
    </message>
    <message>
        <source>Peak %1%  ·  Hourly avg, 24 h</source>
        <translation type="vanished">Pico %1%  ·  Media por hora, 24 h</translation>
    </message>
    <message>
        <source>Peak %1  ·  Hourly avg, 24 h</source>
        <translation>Pico %1  ·  Media por hora, 24 h</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewDayHeader</name>
    <message>
        <source>Previous day</source>
        <translation>Día anterior</translation>
    </message>
    <message>
        <source>Next day</source>
        <translation>Día siguiente</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>En vivo</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewMemoryCard</name>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
    <message>
        <source>of %1 GB  ·  %2</source>
        <translation>de %1 GB  ·  %2</translation>
    </message>
    <message>
        <source>Avg · Peak %1 GB</source>
        <translation>Media · Pico %1 GB</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewNetworkCard</name>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Reload network info</source>
        <translation>Recargar la información de red</translation>
    </message>
    <message>
        <source>Filter by network</source>
        <translation>Filtrar por red</translation>
    </message>
    <message>
        <source>Dual metric trend</source>
        <translation type="vanished">Tendencia de dos métricas</translation>
    </message>
    <message>
        <source>Allow location for Wi-Fi name</source>
        <translation>Permitir la ubicación para el nombre de la Wi-Fi</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bajada</translation>
    </message>
    <message>
        <source>No networks recorded</source>
        <translation>Ninguna red registrada</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Enviado</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Recibido</translation>
    </message>
    <message>
        <source>All Networks</source>
        <translation>Todas las redes</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewStorageCard</name>
    <message>
        <source>used</source>
        <translation>usado</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Almacenamiento</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Uso</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Libre</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lectura</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Escritura</translation>
    </message>
    <message>
        <source>Uptime</source>
        <translation>Tiempo activo</translation>
    </message>
    <message>
        <source>%1d</source>
        <translation>%1 d</translation>
    </message>
    <message>
        <source>%1h %2m</source>
        <translation>%1 h %2 m</translation>
    </message>
    <message>
        <source>%1h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1m</source>
        <translation>%1 m</translation>
    </message>
    <message>
        <source>I/O (total)</source>
        <translation>E/S (total)</translation>
    </message>
    <message>
        <source>I/O</source>
        <translation>E/S</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewTab</name>
    <message>
        <source>No data for this day</source>
        <translation>No hay datos de este día</translation>
    </message>
    <message>
        <source>Halvorin records data in the background while running.</source>
        <translation>Halvorin registra datos en segundo plano mientras se ejecuta.</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>En vivo</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Ayer</translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewTopProcesses</name>
    <message>
        <source>Top processes unavailable</source>
        <translation>Procesos principales no disponibles</translation>
    </message>
    <message>
        <source>The sandbox does not allow access to per-process CPU and memory data.</source>
        <translation>El entorno aislado no permite acceder a los datos de CPU y memoria por proceso.</translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation>Procesos principales</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
</context>
<context>
    <name>Dunmorra::PagePieces</name>
    <message>
        <source>%1%</source>
        <translation type="vanished">%1 %</translation>
    </message>
</context>
<context>
    <name>Dunmorra::PowerFigures</name>
    <message>
        <source>Fully charged</source>
        <translation>Cargada por completo</translation>
    </message>
    <message>
        <source>Fully Charged</source>
        <translation>Carga completa</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Cargando</translation>
    </message>
    <message>
        <source>On Battery</source>
        <translation>Con batería</translation>
    </message>
</context>
<context>
    <name>Dunmorra::PowerTab</name>
    <message>
        <source>No battery found</source>
        <translation>No se encontró ninguna batería</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Batería</translation>
    </message>
    <message>
        <source>Power Source</source>
        <translation>Fuente de alimentación</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Tensión</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Corriente</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Potencia</translation>
    </message>
    <message>
        <source>Temp</source>
        <translation>Temp.</translation>
    </message>
    <message>
        <source>Electrical</source>
        <translation>Parámetros eléctricos</translation>
    </message>
    <message>
        <source>Condition</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Health</source>
        <translation>Salud</translation>
    </message>
    <message>
        <source>Cycle Count</source>
        <translation>Ciclos de carga</translation>
    </message>
    <message>
        <source>Current Capacity</source>
        <translation>Capacidad actual</translation>
    </message>
    <message>
        <source>Design Capacity</source>
        <translation>Capacidad de diseño</translation>
    </message>
    <message>
        <source>Battery Health</source>
        <translation>Salud de la batería</translation>
    </message>
    <message>
        <source>Charge history  (last 30 min)</source>
        <translation>Historial de carga  (últimos 30 min)</translation>
    </message>
    <message>
        <source>0%</source>
        <translation>0 %</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Cargando</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Consumo</translation>
    </message>
</context>
<context>
    <name>Dunmorra::ProcessTable</name>
    <message>
        <source>Process</source>
        <translation>Proceso</translation>
    </message>
</context>
<context>
    <name>Dunmorra::RateTile</name>
    <message>
        <source>Metric trend</source>
        <translation type="vanished">Tendencia de la métrica</translation>
    </message>
</context>
<context>
    <name>Dunmorra::Relauncher</name>
    <message>
        <source>Cannot start %1</source>
        <translation>No se pudo iniciar %1</translation>
    </message>
</context>
<context>
    <name>Dunmorra::SandboxFeatureBanner</name>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
</context>
<context>
    <name>Dunmorra::SettingsAlertsSection</name>
    <message>
        <source>Alerts</source>
        <translation>Alertas</translation>
    </message>
    <message>
        <source>Enable alerts</source>
        <translation>Activar alertas</translation>
    </message>
    <message>
        <source>Notifications are blocked. Enable them in your desktop&apos;s settings to receive alerts.</source>
        <translation type="vanished">Las notificaciones están bloqueadas. Actívalas en los ajustes de tu escritorio para recibir alertas.</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Abrir Ajustes</translation>
    </message>
    <message>
        <source>Halvorin needs permission to send notifications.</source>
        <translation>Halvorin necesita permiso para enviar notificaciones.</translation>
    </message>
    <message>
        <source>Allow Notifications</source>
        <translation>Permitir notificaciones</translation>
    </message>
    <message>
        <source>Alerts send a desktop notification when CPU usage is sustained high, memory pressure rises, or disk space is low.</source>
        <translation>Las alertas envían una notificación de escritorio cuando el uso de CPU se mantiene alto, la presión de memoria aumenta o queda poco espacio en disco.</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation type="vanished">%1 %</translation>
    </message>
    <message>
        <source>Warning or higher</source>
        <translation>Aviso o superior</translation>
    </message>
    <message>
        <source>Critical only</source>
        <translation>Solo crítica</translation>
    </message>
    <message>
        <source>5% free</source>
        <translation>5 % libre</translation>
    </message>
    <message>
        <source>10% free</source>
        <translation>10 % libre</translation>
    </message>
    <message>
        <source>15% free</source>
        <translation>15 % libre</translation>
    </message>
    <message>
        <source>20% free</source>
        <translation>20 % libre</translation>
    </message>
    <message>
        <source>Alert at</source>
        <translation>Avisar a partir de</translation>
    </message>
    <message>
        <source>1 GB</source>
        <translation>1 GB</translation>
    </message>
    <message>
        <source>2 GB</source>
        <translation>2 GB</translation>
    </message>
    <message>
        <source>5 GB</source>
        <translation>5 GB</translation>
    </message>
    <message>
        <source>10 GB</source>
        <translation>10 GB</translation>
    </message>
    <message>
        <source>20 GB</source>
        <translation>20 GB</translation>
    </message>
    <message>
        <source>50 GB</source>
        <translation>50 GB</translation>
    </message>
    <message>
        <source>CPU high usage</source>
        <translation>Uso elevado de CPU</translation>
    </message>
    <message>
        <source>Memory pressure</source>
        <translation>Presión de memoria</translation>
    </message>
    <message>
        <source>Low disk space</source>
        <translation>Poco espacio en disco</translation>
    </message>
    <message>
        <source>Daily data usage</source>
        <translation>Consumo diario de datos</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Probar</translation>
    </message>
    <message>
        <source>No notification service is running, so alerts cannot be shown. They start as soon as one runs.</source>
        <translation>No hay ningún servicio de notificaciones en marcha, así que las alertas no se pueden mostrar. Empezarán en cuanto haya uno.</translation>
    </message>
</context>
<context>
    <name>Dunmorra::SettingsTab</name>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Show sandbox hints</source>
        <translation>Mostrar avisos del entorno aislado</translation>
    </message>
    <message>
        <source>Show Folders tab</source>
        <translation>Mostrar la pestaña Carpetas</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Changing the language restarts Halvorin.</source>
        <translation>Al cambiar el idioma, Halvorin se reinicia.</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>Barra de menús</translation>
    </message>
    <message>
        <source>CPU usage</source>
        <translation>Uso de CPU</translation>
    </message>
    <message>
        <source>Memory usage</source>
        <translation>Uso de memoria</translation>
    </message>
    <message>
        <source>Disk activity</source>
        <translation>Actividad del disco</translation>
    </message>
    <message>
        <source>Network throughput</source>
        <translation>Tráfico de red</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>Dirección IP</translation>
    </message>
    <message>
        <source>Audio output</source>
        <translation>Salida de audio</translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation>Procesos principales</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>7 days</source>
        <translation>7 días</translation>
    </message>
    <message>
        <source>30 days</source>
        <translation>30 días</translation>
    </message>
    <message>
        <source>90 days</source>
        <translation>90 días</translation>
    </message>
    <message>
        <source>Keep data for</source>
        <translation>Conservar los datos durante</translation>
    </message>
    <message>
        <source>Metrics are sampled once per minute while Halvorin is running.</source>
        <translation>Las métricas se registran una vez por minuto mientras Halvorin está abierto.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Operating System</source>
        <translation>Sistema operativo</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Reset all settings to their defaults</source>
        <translation>Restablecer todos los ajustes a sus valores predeterminados</translation>
    </message>
    <message>
        <source>The language could not be saved.</source>
        <translation>No se pudo guardar el idioma.</translation>
    </message>
    <message>
        <source>Reset All Settings?</source>
        <translation>¿Restablecer todos los ajustes?</translation>
    </message>
    <message>
        <source>Defaults: CPU alert ON at 80%, memory at warning pressure, disk at 10% free, network alerts OFF. Menu bar shows CPU and memory. History retention: 30 days. Recorded data is not deleted.</source>
        <translation>Valores predeterminados: alerta de CPU ACTIVADA al 80 %, memoria con presión de aviso, disco con un 10 % libre, alertas de red DESACTIVADAS. La barra de menús muestra la CPU y la memoria. Conservación del historial: 30 días. Los datos registrados no se eliminan.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>Dunmorra::SizeProgressPanel</name>
    <message>
        <source>Calculating…</source>
        <translation>Calculando…</translation>
    </message>
    <message>
        <source>Calculating %1 of %2 folders…</source>
        <translation>Calculando %1 de %2 carpetas…</translation>
    </message>
</context>
<context>
    <name>Dunmorra::SparklineView</name>
    <message>
        <source>Metric trend</source>
        <translation>Tendencia de la métrica</translation>
    </message>
</context>
<context>
    <name>Dunmorra::StatsSummaryRow</name>
    <message>
        <source>Days recorded</source>
        <translation>Días registrados</translation>
    </message>
    <message>
        <source>Avg CPU</source>
        <translation>CPU media</translation>
    </message>
    <message>
        <source>Peak CPU</source>
        <translation>CPU máxima</translation>
    </message>
    <message>
        <source>Total data</source>
        <translation>Datos totales</translation>
    </message>
</context>
<context>
    <name>Dunmorra::StatsTab</name>
    <message>
        <source>7 days</source>
        <translation>7 días</translation>
    </message>
    <message>
        <source>30 days</source>
        <translation>30 días</translation>
    </message>
    <message>
        <source>90 days</source>
        <translation>90 días</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>No se pudo exportar</translation>
    </message>
    <message>
        <source>Export history data as CSV file</source>
        <translation>Exportar los datos del historial como archivo CSV</translation>
    </message>
    <message>
        <source>Loading history…</source>
        <translation>Cargando el historial…</translation>
    </message>
    <message>
        <source>No history found for this range</source>
        <translation>No hay historial en este intervalo</translation>
    </message>
    <message>
        <source>Halvorin records data once per minute while running.</source>
        <translation>Halvorin registra datos una vez por minuto mientras se ejecuta.</translation>
    </message>
    <message>
        <source>All your data is keep local. Never leave a trace.</source>
        <translation>Todos tus datos se quedan en tu equipo. Sin dejar rastro.</translation>
    </message>
    <message>
        <source>Peak</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>Avg %</source>
        <translation>Media %</translation>
    </message>
    <message>
        <source>CPU Usage</source>
        <translation>Uso de CPU</translation>
    </message>
    <message>
        <source>Avg</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Peak GB</source>
        <translation>Máximo GB</translation>
    </message>
    <message>
        <source>Avg GB</source>
        <translation>Media GB</translation>
    </message>
    <message>
        <source>Memory Usage</source>
        <translation>Uso de memoria</translation>
    </message>
    <message>
        <source>Down MB</source>
        <translation>Bajada MB</translation>
    </message>
    <message>
        <source>Up MB</source>
        <translation>Subida MB</translation>
    </message>
    <message>
        <source>Network Data</source>
        <translation>Datos de red</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Read MB</source>
        <translation>Lectura MB</translation>
    </message>
    <message>
        <source>Write MB</source>
        <translation>Escritura MB</translation>
    </message>
    <message>
        <source>Disk I/O</source>
        <translation>E/S de disco</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lectura</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Escritura</translation>
    </message>
    <message>
        <source>Network data usage chart.</source>
        <translation>Gráfico del uso de datos de red.</translation>
    </message>
    <message>
        <source>Disk I/O chart.</source>
        <translation>Gráfico de E/S de disco.</translation>
    </message>
    <message>
        <source>CPU usage trend. Avg %1 percent, peak %2 percent.</source>
        <translation>Tendencia del uso de CPU. Media del %1 por ciento, máximo del %2 por ciento.</translation>
    </message>
    <message>
        <source>Memory usage trend. Avg %1 GB.</source>
        <translation>Tendencia del uso de memoria. Media de %1 GB.</translation>
    </message>
    <message>
        <source>Could not save %1: %2</source>
        <translation>No se pudo guardar %1: %2</translation>
    </message>
</context>
<context>
    <name>Dunmorra::ThroughputHistoryCard</name>
    <message>
        <source>Throughput history</source>
        <translation>Historial de tráfico</translation>
    </message>
    <message>
        <source>Dual metric trend</source>
        <translation type="vanished">Tendencia de dos métricas</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Ahora</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
</context>
<context>
    <name>Dunmorra::TodaysNetworksCard</name>
    <message>
        <source>Today&apos;s Networks</source>
        <translation>Redes de hoy</translation>
    </message>
    <message>
        <source>No network activity recorded yet today</source>
        <translation>Aún no hay actividad de red registrada hoy</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subida</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descarga</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todas</translation>
    </message>
</context>
<context>
    <name>Dunmorra::UsageHistoryCard</name>
    <message>
        <source>0%</source>
        <translation>0 %</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100 %</translation>
    </message>
</context>
<context>
    <name>HalvorinsApp</name>
    <message>
        <source>Real-time system monitor for Linux.

Track CPU, memory, disk, network, battery, and audio — all in one place.</source>
        <translation>Monitor del sistema en tiempo real para Linux.

Sigue la CPU, la memoria, el disco, la red, la batería y el audio, todo en un mismo lugar.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>About Halvorin</source>
        <translation>Acerca de Halvorin</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Ir</translation>
    </message>
</context>
<context>
    <name>MainTab</name>
    <message>
        <source>Overview</source>
        <translation>Resumen</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Memoria</translation>
    </message>
    <message>
        <source>Disk</source>
        <translation>Disco</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Energía</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Stats</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
</context>
<context>
    <name>MainWindowView</name>
    <message>
        <source>%1 — Halvorin</source>
        <translation>%1 — Halvorin</translation>
    </message>
</context>
<context>
    <name>MenuBarLabel</name>
    <message>
        <source>CPU %1</source>
        <translation>CPU %1</translation>
    </message>
</context>
<context>
    <name>MenuBarPopover</name>
    <message>
        <source>Quit Halvorin</source>
        <translation>Salir de Halvorin</translation>
    </message>
    <message>
        <source>Open main window</source>
        <translation>Abrir la ventana principal</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
</context>
<context>
    <name>NetworkLabels</name>
    <message>
        <source>Cellular</source>
        <translation>Red móvil</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Sin conexión</translation>
    </message>
    <message>
        <source>Detecting…</source>
        <translation>Detectando…</translation>
    </message>
</context>
</TS>
