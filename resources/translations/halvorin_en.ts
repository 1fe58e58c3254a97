<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BatteryCondition</name>
    <message>
        <source>Good</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatterySnapshot</name>
    <message>
        <source>Fully Charged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskSnapshot</name>
    <message>
        <source>System Disk</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::AlertsMonitor</name>
    <message>
        <source>High CPU Usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU above %1 for 30 s (%2 now)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU Core Saturated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Core %1 at %2 for 20 s — a process may be spinning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory Pressure: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 GB used of %2 GB — consider closing unused apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low Disk Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 free — %2 GB remaining</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Data Usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;ve used %1 GB of data today</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::AudioTab</name>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Muted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using Audio Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No apps are currently playing audio or using the microphone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available Devices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mono</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::BreadcrumbBar</name>
    <message>
        <source>Hide hidden files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show hidden files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enclosing folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::CPUTab</name>
    <message>
        <source>CPU Usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>60s ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cores</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Per-core usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top processes unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sandbox does not allow access to per-process CPU data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::ConnectionCard</name>
    <message>
        <source>Current Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>·</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow location for Wi-Fi name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload connection info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::CoreBar</name>
    <message>
        <source>performance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>efficiency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 core, %3 percent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> core usage over last 60 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Performance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Efficiency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 core, %2 percent</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::DayFile</name>
    <message>
        <source>No data folder is known for the history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be written completely</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::DiskTab</name>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I/O history  (last 60 s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volumes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 total</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::DualSparklineView</name>
    <message>
        <source>Dual metric trend</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::FileTypesCard</name>
    <message>
        <source>File types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File types for direct children only — not recursive.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderItemActions</name>
    <message>
        <source>Open in File Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderListCard</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This folder can&apos;t be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This folder is empty</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderRowDelegate</name>
    <message>
        <source>Unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This folder could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some items could not be read: the size leaves them out</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderSummaryRow</name>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partial total: some folders are not sized or could not be read in full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n folders</source>
        <translation>
            <numerusform>%n folder</numerusform>
            <numerusform>%n folders</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n files</numerusform>
        </translation>
    </message>
    <message>
        <source>Unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This folder can&apos;t be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::FolderTab</name>
    <message>
        <source>Folder browser unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sandbox restricts filesystem access.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder browser is not available
in the sandboxed version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide this tab</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::HealthTrendSection</name>
    <message>
        <source>Health trend (7 days)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No measurable change in the past 7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery health over the past 7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7 days ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stable at %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::HistoryRecorder</name>
    <message>
        <source>could not keep the unreadable file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::InterfacesSection</name>
    <message>
        <source>Interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interfaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No active interfaces</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::MemoryTab</name>
    <message>
        <source>Memory Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compressed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory breakdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory usage history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top processes unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sandbox does not allow access to per-process memory data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top processes by memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nominal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Critical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>of %1 total</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::MenuBarPopover</name>
    <message>
        <source>No metrics selected — enable some in Settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open main window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Halvorin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::NetworkTab</name>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewAudioCard</name>
    <message>
        <source>Audio activity is not recorded in history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUTPUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ACTIVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Muted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No audio at this moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 apps using audio</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewBatteryCard</name>
    <message>
        <source>Battery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not recorded on this day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No battery found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Started %1  ·  Ended %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewCpuCard</name>
    <message>
        <source>CPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collecting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Peak %1  ·  Hourly avg, 24 h</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewDayHeader</name>
    <message>
        <source>Previous day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewMemoryCard</name>
    <message>
        <source>Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>of %1 GB  ·  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avg · Peak %1 GB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewNetworkCard</name>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload network info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter by network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow location for Wi-Fi name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No networks recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Networks</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewStorageCard</name>
    <message>
        <source>used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Storage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uptime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1h %2m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I/O (total)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I/O</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewTab</name>
    <message>
        <source>No data for this day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halvorin records data in the background while running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::OverviewTopProcesses</name>
    <message>
        <source>Top processes unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sandbox does not allow access to per-process CPU and memory data.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::PowerFigures</name>
    <message>
        <source>Fully charged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fully Charged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Battery</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::PowerTab</name>
    <message>
        <source>No battery found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Electrical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Health</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cycle Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Capacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Design Capacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery Health</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charge history  (last 30 min)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::ProcessTable</name>
    <message>
        <source>Process</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::Relauncher</name>
    <message>
        <source>Cannot start %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::SandboxFeatureBanner</name>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::SettingsAlertsSection</name>
    <message>
        <source>Alerts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable alerts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halvorin needs permission to send notifications.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow Notifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alerts send a desktop notification when CPU usage is sustained high, memory pressure rises, or disk space is low.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning or higher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Critical only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5% free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10% free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15% free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20% free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alert at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>50 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU high usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory pressure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low disk space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily data usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No notification service is running, so alerts cannot be shown. They start as soon as one runs.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::SettingsTab</name>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show sandbox hints</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Folders tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changing the language restarts Halvorin.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk activity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network throughput</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top processes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>90 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep data for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metrics are sampled once per minute while Halvorin is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operating System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset all settings to their defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset All Settings?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Defaults: CPU alert ON at 80%, memory at warning pressure, disk at 10% free, network alerts OFF. Menu bar shows CPU and memory. History retention: 30 days. Recorded data is not deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::SizeProgressPanel</name>
    <message>
        <source>Calculating…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculating %1 of %2 folders…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::SparklineView</name>
    <message>
        <source>Metric trend</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::StatsSummaryRow</name>
    <message>
        <source>Days recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avg CPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Peak CPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::StatsTab</name>
    <message>
        <source>7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>90 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export history data as CSV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading history…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No history found for this range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Halvorin records data once per minute while running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All your data is keep local. Never leave a trace.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Peak</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avg %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU Usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Peak GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avg GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory Usage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk I/O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network data usage chart.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk I/O chart.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU usage trend. Avg %1 percent, peak %2 percent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory usage trend. Avg %1 GB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::ThroughputHistoryCard</name>
    <message>
        <source>Throughput history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::TodaysNetworksCard</name>
    <message>
        <source>Today&apos;s Networks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No network activity recorded yet today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dunmorra::UsageHistoryCard</name>
    <message>
        <source>0%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100%</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HalvorinsApp</name>
    <message>
        <source>Real-time system monitor for Linux.

Track CPU, memory, disk, network, battery, and audio — all in one place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Halvorin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainTab</name>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindowView</name>
    <message>
        <source>%1 — Halvorin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuBarLabel</name>
    <message>
        <source>CPU %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuBarPopover</name>
    <message>
        <source>Quit Halvorin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open main window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NetworkLabels</name>
    <message>
        <source>Cellular</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detecting…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
