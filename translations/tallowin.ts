<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>main</name>
    <message>
        <location filename="../src/app/main.cpp" line="+117"/>
        <source>Not a folder or a rules file (.rul), left out: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::AppController</name>
    <message>
        <location filename="../src/ui/appcontroller.cpp" line="+181"/>
        <source>%1 is not available yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Load Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>From File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+5"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::CommandLineHelpWindow</name>
    <message>
        <location filename="../src/ui/commandlinehelpwindow.cpp" line="+21"/>
        <source>The command-line program %1 could not be run: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Tallowin Command Line Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Command line help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::ErrorWindow</name>
    <message>
        <location filename="../src/ui/errorwindow.cpp" line="+72"/>
        <source>Unexpected error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Send Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::MessageWindow</name>
    <message>
        <location filename="../src/ui/messagewindow.cpp" line="+34"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::PreviewWindow</name>
    <message>
        <location filename="../src/ui/previewwindow.cpp" line="+28"/>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::StatusWindow</name>
    <message>
        <location filename="../src/ui/statuswindow.cpp" line="+22"/>
        <source>Working</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
