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
    <name>tallowin::core</name>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+19"/>
        <source>Click here to add this rule to your rules list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+271"/>
        <location line="+204"/>
        <source>the text to find, in any letter case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-202"/>
        <location line="+204"/>
        <source>the text put in its place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-202"/>
        <source>1: only the first occurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+94"/>
        <location line="+13"/>
        <source>First Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-10"/>
        <location line="+118"/>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-116"/>
        <location line="+118"/>
        <source>with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+14"/>
        <location line="+22"/>
        <location line="+81"/>
        <location line="+47"/>
        <source>the text to insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+105"/>
        <location line="+131"/>
        <source>before or after the anchor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-233"/>
        <location line="+100"/>
        <source>the text the insertion goes next to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-98"/>
        <source>1: only at the first occurrence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="-106"/>
        <location line="+9"/>
        <location line="+45"/>
        <location line="+28"/>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+17"/>
        <location line="+16"/>
        <location line="+178"/>
        <source>start or end of the name part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="-71"/>
        <location line="+73"/>
        <source>at the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-72"/>
        <location line="+9"/>
        <location line="+134"/>
        <source>of the file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="-180"/>
        <source>how many characters; read leniently</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="-137"/>
        <location line="+75"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-73"/>
        <location line="+75"/>
        <source>characters from the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+19"/>
        <source>the text that opens the cleared part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the text that closes it, found after the opening</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>1: keep the two texts themselves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="-68"/>
        <location line="+38"/>
        <source>Leave Search Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-36"/>
        <source>Clear text between</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>and</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+24"/>
        <source>the whole new name part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+5"/>
        <source>Set file name to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>* Must be first file name rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Insert this string before or after the following string.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+36"/>
        <source>the text that bounds the cleared part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>clear before or after it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>1: keep the text itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+9"/>
        <source>Check this box if you wish to leave the search text, otherwise it will be cleared as well.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Clear all text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+96"/>
        <source>this</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-95"/>
        <source>Remove all text that comes before or after this string.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+24"/>
        <location line="+16"/>
        <source>start or end of the extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+11"/>
        <location line="+11"/>
        <source>of the extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-10"/>
        <source>Insert this string at the beginning or end of the extension.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="-2"/>
        <source>how many characters; must be a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+22"/>
        <source>Replace this string with a new string.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+35"/>
        <source>the whole new extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+6"/>
        <source>Set the extension to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>* Must be first extension rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set the extension to this text exactly.  This must be the first rule applied to extensions or it will overwrite any previous rules.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Start the self counting number with this number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add this number to the starting number for each file, for example starting with 1 and incrementing 1 will result in 1, 2, 3, 4, 5  starting with 1 and incrementing by 2 will result in 1,3,5,7,9.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Format your number to contain a certain number of characters.  This eliminates the issue of windows sorting files like myfile1, myfile10, myfile2 by adding extra 0&apos;s such as myfile001,myfile002,myfile010</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Start count at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>and increment by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Format number to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>digits minimum.  (0001,0002, etc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="-252"/>
        <source>the fewest digits, padded with zeros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>added to the counter after each use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the counter&apos;s first value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+5"/>
        <source>Insert numbers at the</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Insert self counting numbers at the beginning or end of the file name, such as 01myfile, 02myfile, etc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+283"/>
        <source>the text the number goes next to (first occurrence)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+10"/>
        <source>Insert numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Insert self counting number before or after this piece of text in the file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Apply Rule To Extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apply this rule to the extension as well as the file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Make First Of Each Word Upper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make The First Of Each Word Upper Case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>mAKE fIRST oF eACH wORD lOWER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make the first of each word lower case and the rest of the word upper case.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Make all lower case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make the file name lower case.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MaKe EvErY OtHeR LeTtEr UpPeR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make every other letter upper case starting with the first letter of each word.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>mAkE eVeRy oThEr lEtTeR lOwEr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make every other letter lower case starting with the first letter of each word.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Make all UPPER case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make the file name UPPER case.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+45"/>
        <source>1: the whole name with its extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+18"/>
        <source>Replace _ with space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replaces all _ underscores with spaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove special characters forcing Alpha Numeric (i.e. abc123)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>This will limit your file name to being Letters and Numbers only, !@#$%^&amp;&amp;*() etc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Convert multiple spaces to one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>If you have a file name with    extra spaces it will remove them and make it only a single space.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Remove Extra Spaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Removes any spaces from the beginning or end of the file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Replace spaces with _</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replaces all spaces with _ underscores</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/engine/rulekinds.cpp" line="+57"/>
        <source>the new name part, with %tag% placeholders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/rulelayouts.cpp" line="+25"/>
        <source>Predefined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Set the file name of an MP3 file to a predefined format based on ID3 tags in the MP3 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Set the file name of an MP3 file to a custom defined format based on ID3 tags in the MP3 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Extension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Auto Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Letters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Misc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MP3 Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/files/columnsort.h" line="+34"/>
        <source>ListView Sort module Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/journal/undo.cpp" line="+18"/>
        <source>it was changed since the rename: its new name no longer names that file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>its old name is taken by another file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/listfile/listfile.cpp" line="+27"/>
        <source>You must specify a file containing the rename information you wish to use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You have indicated that your file uses a delimiter other than tab or comma, but you have not specified a delimiter, please do so.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The rename information file you have specified: %1 could not be located.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The file %1 is already open, please close the file in any applications already using it and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The file you specified %1 does not exist, please check the file name and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The rename information file you have specified: %1 is larger than 1 GB, please split it and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+241"/>
        <source>has no delimiter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>gives no old name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>names a path, not a file in the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>names a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>names a hidden file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>names something that is not an ordinary file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>names a hidden or system file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>1 line of the list file was skipped:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 lines of the list file were skipped:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>line %1, &quot;%2&quot;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location filename="../src/core/rulesfile/rulesfile.cpp" line="+223"/>
        <source>and %1 more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No line names a file in the folder: there is nothing to rename.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Loading Rename File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/preview/previewbuilder.cpp" line="+199"/>
        <source>Applying Rules To: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/preview/previewbuilder.h" line="+63"/>
        <source>You have not selected any rules to apply to these files, thus I am unable to preview any changes.  Please add some rules before previewing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/preview/previewreview.cpp" line="+182"/>
        <source>%1 Files Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 Files Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/base/progress.h" line="+35"/>
        <source>Preparing To Preview File Name Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/rename/renamer.cpp" line="+48"/>
        <source>Unable to rename the file %1 to %2 because a file with that name already exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Unable to rename the file %1 to %2, Linux says the file is in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Unable to rename the file %1 to %2 because Linux says %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source> The file is now named %1 in %2: its old name was taken meanwhile, so it could not go back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+71"/>
        <source>The folder %1 changed since it was listed; list it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Preparing To Apply File Name Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+113"/>
        <source>Unable to rename the file %1 to %2 because %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/rulesfile/rulesfile.cpp" line="-160"/>
        <source>Unable to save rules to the file %1.rul, Linux says the file is in use, please try a different file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
        <source>The rules file %1 is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The rules file %1 is larger than 4 MB; 100 rules never need that much.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>unknown rule kind %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>not a rule: a rule is eight fields separated by &quot;|&quot;, this line has %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+47"/>
        <source>The rules file %1 was loaded without these lines:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/shell/errorreport.cpp" line="+30"/>
        <source>Invalid procedure call or argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Overflow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Subscript out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bad file name or number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File already open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File already exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Device unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path/File access error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Application-defined or object-defined error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/shell/failurereason.cpp" line="+20"/>
        <source>a file with that name already exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the file no longer exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the file system is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the file is in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the new name is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the file system does not accept the new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>the new name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the new name cannot be &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the new name holds &quot;/&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the new name holds a null character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the new name is too long (%1 bytes, at most %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/shell/programfolder.cpp" line="+90"/>
        <source>Cannot create the rules folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/shell/tips.cpp" line="+10"/>
        <source>Need to rename some MP3 files or Pictures easily without worrying about rules?  Click the WIZARD icon on the top toolbar to easily access the MP3 and Picture renaming wizard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Want to rename some files and give them all an identifying number.  Try clicking the FILE NAME tab and creating a SET TO rule to set the file name to what you want it to be.  Then click the Auto Number tab and select a before or after auto number.  This is a great way to rename picture files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>When working with UNIX based web servers, you generally want to keep all your file names lower case because UNIX is case sensative.  To quickly make all your file names lower case, add a lower case rule from the LETTERS tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Have a file name like &quot;MyFile01&quot; and you want to remove the 01 from the file name before adding your own auto number?  Add a remove characters from end of file name rule on the file name tab.  You can remove the last 2 characters of the file name easily, and then add your own back on if you wish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sometimes you may want to take spaces out of file name but still keep it readable.  To do this you can add a Replace Spaces With _ rule from the Misc. Tab, if you have a file that has _&apos;s and you want spaces, you can also use the Replace _&apos;s with Space rule.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Remember that rules are executed in the order they are listed in, so if one rule needs to be applied before another, make sure it is above it in the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>You can preview your file name changes at any time, just hit the preview button.  This will allow you to see how things are going to look based on your current rules.  If you need to make a change, simply click cancel on the preview screen and modify your rules.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>MP3 Files may not always contain all the tags you are wishing to use to rename the file.  If this is the case, by default they will be unchecked in the preview screen and will not be renamed.  If you wish to rename them anyway you can check them.  You can also add a rule to remove certain strings.  For example if you have an MP3 file that has artist, songname, but not album you may end up with a file name like &quot;Bob Smith - %album% - Cream Of The Crop&quot;, add a remove rule from the file name tab to remove &quot; - %Album%&quot; and you would get &quot;Bob Smith - Cream Of The Crop&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Remember when renaming extensions, the general rule is that extensions are only 3 characters on windows systems.  Some files may have 4 character extensions such as JPEG instead of the common JPG, however this is an exception not a rule.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ALWAYS examine the preview screen carefully before clicking the rename button, once you have clicked rename, there is no way to stop the rename process which will probably finish before you could click a cancel button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/core/shell/versioncheck.h" line="+13"/>
        <source>I would just like to let you know that there is a new version of this software available on our web site.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::AppController</name>
    <message>
        <location filename="../src/ui/appcontroller.cpp" line="+103"/>
        <source>Checking for newer version</source>
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
        <location filename="../src/ui/errorwindow.cpp" line="+24"/>
        <source>We regret that an unexpected error has occured in our software.  This error has been captured and we would appreciate it if you could transfer this error to us so that we may investigate.  We respect your privacy and only the limited information you see below will be transfered to us.  Thank you for helping us make this a better product.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+52"/>
        <source>Unexpected error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Send Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Error Location: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error Number: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Error Description: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error Path: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::FileListModel</name>
    <message>
        <location filename="../src/ui/filelistmodel.cpp" line="+88"/>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date Created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Number Adj Name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::FileSelectionPanel</name>
    <message>
        <location filename="../src/ui/fileselectionpanel.cpp" line="+32"/>
        <source>Select all the files you want to automatically rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use this to limit the files you wish to view by broad definition.  Use * to specify ANY characters, for example &quot;My*&quot; would show only files that start with &quot;My&quot; such as &quot;MyPicture, MyMusic, etc.&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <location line="+7"/>
        <source>Select Location of Files To Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Clear Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Name Like</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Show Hidden Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Check this box if you want to see/rename hidden files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show System Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Check this box to see and rename files marked as system files on Windows drives (FAT, NTFS or network shares); not recommended</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Select The Files You Wish To Rename (Click Column To Sort)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Files to rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tick the files to rename; Space ticks or unticks the current file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Clear All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Working</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>0 Files Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>0 Files Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+63"/>
        <source>WARNING: POTENTIAL HAZARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WARNING:  Files marked as system files on a Windows drive belong to Windows; renaming them CAN stop Windows from starting from that drive.  This is ONLY recommended for EXPERT users, are you sure you wish to do this?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+82"/>
        <source>%1 Files Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 Files Shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::FolderPicker</name>
    <message>
        <location filename="../src/ui/folderpicker.cpp" line="+23"/>
        <source>I am unable to display this drive because the media is not currently inserted.  Please insert a disc into this drive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Select the drive containing the files you want to rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+5"/>
        <source>Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Drives</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Select the directory containing the files you want to rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+8"/>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Go to the parent folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Choose a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-18"/>
        <source>F&amp;older</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+110"/>
        <source>The folder &quot;%1&quot; cannot be found.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::HelpOpener</name>
    <message>
        <location filename="../src/ui/helpopener.cpp" line="+16"/>
        <source>Browser Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Could not find associated Browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>URL Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Web Page not Opened</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::HelpWindow</name>
    <message>
        <location filename="../src/ui/helpwindow.cpp" line="+33"/>
        <source>You are currently using version: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Tallowin - Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Thank you for using the Tallowin.  Should you need any assistance with this product, please feel free to contact our technical support at any one of the options below, or click the SHOW HELP button to see detailed help relating to this software.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Free Support Options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The web site and its help are there at any hour; reports on the issue tracker are answered on working days.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Web site: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Issue tracker: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Web site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Issue tracker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Help pages on this computer: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Show Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Version News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Show Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open the help pages in your browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Read what is new in each version on the web site</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::ListFileWindow</name>
    <message>
        <location filename="../src/ui/listfilewindow.cpp" line="+29"/>
        <source>Text Files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Comma Seperated (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tab Seperated (*.tab)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Tallowin - Rename From File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Rename From File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>This is an advanced feature that will allow you to rename files based on information contained in a text based file such as a comma or tab delimited file.  Your file must contain 2 columns, the first column being the name of the file now, and the second column being the name you want the file to be.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Folder With Files To Rename:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Folder With Files To Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>File Containing Rename Information:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+88"/>
        <source>File Containing Rename Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-87"/>
        <source>The full path of the file that lists the new names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+1"/>
        <source>Choose the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>File Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Comma Delimited</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Tab Delimited</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Other Delimiter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delimiter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Other delimiter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The text between the two names, matched exactly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;First Row Contains Field Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>&amp;Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Read the file and show the new names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::LoadRulesWindow</name>
    <message>
        <location filename="../src/ui/ruleswindows.cpp" line="+204"/>
        <source>Please select a file to load these rules from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You must select a file name to load.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>You have selected an invalid file type, please select only .RUL files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Your rules file has been successfully loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Load Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select Location To Load From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select File To Load</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::MainWindow</name>
    <message>
        <location filename="../src/ui/mainwindow.cpp" line="+62"/>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Click here and drag to move this window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>rename many files at once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+2"/>
        <source>Minimise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Maximise or restore (or double-click the title)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Maximise or restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MP3 Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>From File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Undo Last Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help - F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>&amp;Load Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Save Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show every ticked file&apos;s new name before renaming</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::MessageWindow</name>
    <message>
        <location filename="../src/ui/messagewindow.cpp" line="+37"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::Mp3RulePage</name>
    <message>
        <location filename="../src/ui/rulepage.cpp" line="+395"/>
        <source>Some MP3 files contain special coding called ID3 tags these tags contain information about the auther, album, length, genre, etc. of the file in question.  Using this information we can automatically change your file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Valid MP3 Tags</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::NewReleaseWindow</name>
    <message>
        <location filename="../src/ui/newreleasewindow.cpp" line="+14"/>
        <source>Tallowin - New Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A new version is available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The latest version news.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The latest version news</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Click here to close this message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close the version news</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::PreviewModel</name>
    <message>
        <location filename="../src/ui/previewmodel.cpp" line="+46"/>
        <source>Original File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>New File Name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::PreviewWindow</name>
    <message>
        <location filename="../src/ui/previewwindow.cpp" line="+27"/>
        <source>Tallowin - Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Please review name changes and uncheck any files you do not want changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Old and new names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each file&apos;s name now and after the rename; untick a file to keep its name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Warning:  MP3 files may not contain all information for automatic rename, please check carefully.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>0 Files Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>0 Files Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+4"/>
        <source>Allow swaps and chains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Rename through temporary names so that files may swap names or take names that other files of this rename give up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Preparing To Apply File Name Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Nothing was renamed: the rename journal could not be written (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The rename journal could not record all of this rename (%1). Undo Last Rename still finds the renamed files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Nothing was renamed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-122"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::RenameSummaryWindow</name>
    <message>
        <location filename="../src/ui/renamesummary.cpp" line="+24"/>
        <source>1 file renamed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 files renamed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 renamed, %2 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Tallowin - Rename Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Some files were not renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>These files keep their old names:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+68"/>
        <source>Old Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-68"/>
        <location line="+68"/>
        <source>New Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-68"/>
        <location line="+68"/>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-57"/>
        <source>Files not renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each file that kept its old name, its new name and why</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy this list as text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>%1 to %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::RuleListBox</name>
    <message>
        <location filename="../src/ui/rulelist.cpp" line="+46"/>
        <source>These Rules Have Been Added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Rules to apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The rules in the order they are applied; Delete removes the selected rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Move the selected rule to the top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move the selected rule up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move the selected rule down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Move the selected rule to the bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Delete the selected rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete all rules</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::RuleListModel</name>
    <message>
        <location line="-56"/>
        <source>Rules To Apply</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::RulePage</name>
    <message>
        <location filename="../src/ui/rulepage.cpp" line="-339"/>
        <source>Please select a rule to add, for details hold your mouse over the rule for a couple of seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+65"/>
        <source>A&amp;dd Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Add Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+2"/>
        <source>%1, choices</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::RulesFileWindow</name>
    <message>
        <location filename="../src/ui/ruleswindows.cpp" line="-191"/>
        <source>Tallowin - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The rules files of the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rules files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::SaveRulesWindow</name>
    <message>
        <location line="+74"/>
        <source>You must select a file name to save to, do not include an extension for this file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Your rules file has been successfully saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>There are no rules to save yet: add a rule first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select Location To Save To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File Name To Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The name to save the rules under; .rul is added to it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::SplashWindow</name>
    <message>
        <location filename="../src/ui/splash.cpp" line="+33"/>
        <source>Rename many files at once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Loading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::StandardRuleView</name>
    <message>
        <location filename="../src/ui/ruleviews.cpp" line="+35"/>
        <source>%1 rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tab: press Space to show this page of rules</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::StatusWindow</name>
    <message>
        <location filename="../src/ui/statuswindow.cpp" line="+24"/>
        <source>Working</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::TipWindow</name>
    <message>
        <location filename="../src/ui/tipwindow.cpp" line="+21"/>
        <source>Tallowin - Tip of the Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Did you know...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Tip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Show Tips At Startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+1"/>
        <source>Next Tip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+1"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::UndoFlow</name>
    <message>
        <location filename="../src/ui/undoflow.cpp" line="+41"/>
        <source>There is no rename to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+53"/>
        <source>The folder %1 of the last rename is gone or has been replaced; nothing can be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-48"/>
        <source>Undo the last rename in %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 file goes back to its old name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 files go back to their old names.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>1 file changed since the rename and stays as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 files changed since the rename and stay as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Undo Last Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Preparing To Apply File Name Changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Nothing was undone: the rename journal could not be written (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+5"/>
        <source>%1 -&gt; %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 file went back to its old name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 files went back to their old names.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>These could not go back:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>... and %1 more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The rename journal could not record this undo (%1): the run stays on offer for Undo Last Rename.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tallowin::ui::WizardWindow</name>
    <message>
        <location filename="../src/ui/wizardwindow.cpp" line="+32"/>
        <source>Please select a directory with at least 1 file to rename, if you have unselected all files, please select at least one file by checking the box next to it&apos;s name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Original File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+6"/>
        <source>Tallowin Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Click here and drag to move this window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Show At Startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show the wizard at start-up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+220"/>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-219"/>
        <location line="+220"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-175"/>
        <source>What would you like to rename?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;MP3 File Renaming Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name your MP3 files after their artist, album, track and song name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>P&amp;icture Renaming Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Give a folder of pictures one name and a counting number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+3"/>
        <source>Select Location of Files To Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Select all the files you want to automatically rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Files to rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Uncheck the files you do not wish to rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Most MP3 files contain information about the Artist, Album, Genre, etc.  This information can be used to automatically create user friendly names for your mp3s.  Please select a format that you would like for your new MP3 Names.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>New MP3 name format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MP3 name formats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Your MP3 files will now look like this, if there is a file you do not wish to rename, you will be able to unselect them after clicking FINISH.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>New MP3 names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>This wizard can rename your pictures in 2 different ways, name then number, or number then name.  Please select the format you prefer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>What do you want your picture name to be?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Picture name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Name, then number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Number, then name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Your picture files will now look like this, if there is a file you do not wish to rename, you will be able to unselect them after clicking FINISH.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>New picture names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>&amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Finish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Finish</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
