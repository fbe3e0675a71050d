#include "auto_save.h"

#include "image_writers.h"
#include "jpeg_writer.h"
#include "numbered_names.h"
#include "pdf_exporter.h"
#include "program_paths.h"
#include "settings.h"
#include "ui_ports.h"

#include <QDir>

namespace folivo {
namespace {

const QString kNoFolderPrompt =
    QStringLiteral("保存先のフォルダが分かりません。\r\n%1の自動保存は行いませんでした。");
const QString kNoNumberPrompt =
    QStringLiteral("%1\r\nこのフォルダでは %2 の番号 00000～99999 がすべて使われています。\r\n"
                   "%3の自動保存は行いませんでした。");

QString FailedTitle(AutoSaveFormat format) {
    switch (format) {
    case AutoSaveFormat::Bmp:
        return text::kBmpFailedTitle;
    case AutoSaveFormat::Jpeg:
        return text::kJpegFailedTitle;
    case AutoSaveFormat::Pdf:
        break;
    }
    return text::kPdfFailedTitle;
}

QString ProgramFolderWithSlash() {
    return DataFolder() + u'/';
}

} // namespace

bool AutoSaveEnabled(AutoSaveFormat format) {
    const QString flag = ReadSetting(SeriesOf(format).section, QStringLiteral("Flag"), QString());
    return ParseSettingBool(flag).value_or(false);
}

std::optional<QString> OutputFolder(AutoSaveFormat format, const SpecialFolders& folders) {
    const QString section = SeriesOf(format).section;
    const QString type = ReadSetting(section, QStringLiteral("Type"), QString());
    QString folder;
    if (type == QLatin1String("0"))
        folder = folders.desktop ? folders.desktop() : QString();
    else if (type == QLatin1String("1"))
        folder = folders.myDocuments ? folders.myDocuments() : QString();
    else if (type == QLatin1String("2"))
        folder = ReadSetting(section, QStringLiteral("Path"), ProgramFolderWithSlash());
    else
        folder = ProgramFolderWithSlash();
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

AutoSave::AutoSave(StatusReporter& status, const PageDocument& document,
                   const PdfExporter& exporter, SpecialFolders folders)
    : m_status(status), m_document(document), m_exporter(exporter), m_folders(std::move(folders)) {}

void AutoSave::run(const PageSource& page, const JpegSettings& jpeg) {
    for (AutoSaveFormat format : {AutoSaveFormat::Bmp, AutoSaveFormat::Jpeg, AutoSaveFormat::Pdf})
        if (AutoSaveEnabled(format))
            save(format, page, jpeg);
}

void AutoSave::save(AutoSaveFormat format, const PageSource& page, const JpegSettings& jpeg) {
    const NumberedSeries target = SeriesOf(format);
    const std::optional<QString> folder = OutputFolder(format, m_folders);
    if (!folder) {
        m_status.ShowMessage(FailedTitle(format), kNoFolderPrompt.arg(target.section));
        return;
    }
    // The first free name, for the messages; the file itself takes the first number
    // still free when it is complete.
    const std::optional<QString> name =
        NextFreeFileName(target.prefix, *folder, target.extension, NameIsTaken);
    if (!name) {
        m_status.ShowMessage(FailedTitle(format),
                             kNoNumberPrompt.arg(*folder, target.prefix, target.section));
        return;
    }
    // The name the file got when it was complete: the end line and the offer name it.
    QString written;
    FileTarget file = NumberedTarget(target.prefix, *folder, target.extension);
    file.published = [&written](const QString& path) { written = QDir::cleanPath(path); };
    switch (format) {
    case AutoSaveFormat::Bmp: {
        m_status.SetStatus(text::kBmpStart);
        const WriteResult result = CopyBmp(page, file);
        ReportBmpResult(m_status, *name, result, written);
        break;
    }
    case AutoSaveFormat::Jpeg: {
        m_status.SetStatus(text::kJpegStart);
        const int code = WriteJpeg(page, file, jpeg.quality, jpeg.progressive);
        ReportJpegResult(m_status, code, written);
        break;
    }
    case AutoSaveFormat::Pdf: {
        m_status.SetStatus(text::kPdfStart);
        const WriteResult result = ExportPdf(m_exporter, m_document, file);
        ReportPdfResult(m_status, *name, result, written, m_exporter.untextedPictures());
        break;
    }
    }
    if (!written.isEmpty())
        m_status.OfferSavedFile(written);
}

} // namespace folivo
