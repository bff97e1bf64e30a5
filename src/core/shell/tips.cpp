#include "shell/tips.h"

#include <QRandomGenerator>

namespace tallowin {

// Marked here, translated where the tip window shows them: translators load after these are
// made.
const std::array<QString, 10> Tips = {
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Need to rename some MP3 files or Pictures easily without worrying about rules?  Click "
        "the WIZARD icon on the top toolbar to easily access the MP3 and Picture renaming "
        "wizard.")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Want to rename some files and give them all an identifying number.  Try clicking the "
        "FILE NAME tab and creating a SET TO rule to set the file name to what you want it to "
        "be.  Then click the Auto Number tab and select a before or after auto number.  This is a "
        "great way to rename picture files.")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "When working with UNIX based web servers, you generally want to keep all your file names "
        "lower case because UNIX is case sensative.  To quickly make all your file names lower "
        "case, add a lower case rule from the LETTERS tab.")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Have a file name like \"MyFile01\" and you want to remove the 01 from the file name "
        "before adding your own auto number?  Add a remove characters from end of file name rule "
        "on the file name tab.  You can remove the last 2 characters of the file name easily, "
        "and then add your own back on if you wish.")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Sometimes you may want to take spaces out of file name but still keep it readable.  To "
        "do this you can add a Replace Spaces With _ rule from the Misc. Tab, if you have a file "
        "that has _'s and you want spaces, you can also use the Replace _'s with Space rule.")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Remember that rules are executed in the order they are listed in, so if one rule needs "
        "to be applied before another, make sure it is above it in the list.")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "You can preview your file name changes at any time, just hit the preview button.  This "
        "will allow you to see how things are going to look based on your current rules.  If you "
        "need to make a change, simply click cancel on the preview screen and modify your "
        "rules.")),
    // The "after" name is what the replace rule gives: it finds its text in any letter case.
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "MP3 Files may not always contain all the tags you are wishing to use to rename the "
        "file.  If this is the case, by default they will be unchecked in the preview screen and "
        "will not be renamed.  If you wish to rename them anyway you can check them.  You can "
        "also add a rule to remove certain strings.  For example if you have an MP3 file that "
        "has artist, songname, but not album you may end up with a file name like \"Bob Smith - "
        "%album% - Cream Of The Crop\", add a remove rule from the file name tab to remove \" - "
        "%Album%\" and you would get \"Bob Smith - Cream Of The Crop\"")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "Remember when renaming extensions, the general rule is that extensions are only 3 "
        "characters on windows systems.  Some files may have 4 character extensions such as "
        "JPEG instead of the common JPG, however this is an exception not a rule.")),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "tallowin::core",
        "ALWAYS examine the preview screen carefully before clicking the rename button, once you "
        "have clicked rename, there is no way to stop the rename process which will probably "
        "finish before you could click a cancel button.")),
};

int chooseTip(QRandomGenerator &random) {
    return static_cast<int>(random.bounded(10)) + 1;
}

} // namespace tallowin
