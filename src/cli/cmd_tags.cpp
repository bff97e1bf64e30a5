#include "cli/cli.h"

#include "mp3/mp3reader.h"
#include "shell/locations.h"

namespace tallowin::cli {

int cmdTags(const QStringList &argv) {
    QString error;
    const auto args = parseArgs(argv, {}, {}, error);
    if (!args) {
        printUsageError(error);
        return BadUsage;
    }
    if (args->operands.isEmpty()) {
        printUsageError(QStringLiteral("tags needs at least one FILE"));
        return BadUsage;
    }
    const bool json = args->has(QStringLiteral("--json"));
    Mp3Reader reader;
    StderrReporter errors;
    QByteArray doc = "{\"files\":[";
    for (qsizetype i = 0; i < args->operands.size(); ++i) {
        const QString &path = args->operands[i];
        // A file that cannot be read prints its fields empty, as the reader leaves them, and
        // is reported: it is not a file without tags.
        if (!reader.read(path))
            errors.reportSystemAbout(path, Locations::ReadTags, reader.error());
        const Mp3Info &m = reader.info();
        const auto fields = namedFields(m);
        if (json) {
            if (i)
                doc += ',';
            doc += "{\"File\":" + jsonString(path) + bytesJson("FileBytes", path);
            for (const auto &[key, value] : fields)
                doc += ",\"" + QByteArray(key) + "\":" + jsonString(*value);
            doc += ",\"VBR\":" + QByteArray(m.vbr ? "true" : "false") + '}';
            continue;
        }
        if (i)
            writeRaw("\n");
        writeRaw("File=" + tsvField(path) + '\n');
        for (const auto &[key, value] : fields)
            writeRaw(QByteArray(key) + '=' + tsvField(*value) + '\n');
        writeRaw(QByteArray("VBR=") + (m.vbr ? "True" : "False") + '\n');
    }
    if (json)
        writeRaw(doc + "]}\n");
    return Done;
}

} // namespace tallowin::cli
