#include "SettingsFileController.h"

#include "PageHelpers.h"
#include "PageLayout.h"
#include "device/FileBoxes.h"
#include "protocol/ActionTrace.h"
#include "ticket/LoadProblem.h"
#include "ticket/SettingsFile.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QLoggingCategory>

// The page's category, defined with Function_One.
Q_DECLARE_LOGGING_CATEGORY(lcDevice)

static_assert(sizeof(SettingsCodec::Settings::lines) / sizeof(QString) == LineRecord::SlotCount,
              "a settings file holds one line record per slot of the page");

SettingsFileController::SettingsFileController(QWidget *page, PageLayout &ui, Lines &lines, PageHooks hooks)
    : Page(page)
    , Ui(ui)
    , Page_Lines(lines)
    , Hooks(std::move(hooks))
{
}

SettingsCodec::Settings SettingsFileController::current() const
{
    SettingsCodec::Settings settings;
    for (size_t i = 0; i < Page_Lines.size(); ++i)
        settings.lines[i] = Page_Lines[i];
    for (int i = 0; i < 5; ++i)
        settings.typeNames[i] = Ui.QL_Type_Name[i]->text();
    settings.networkIdIndex = Ui.QC_Network_ID->currentIndex();
    settings.autoClearIndex = Ui.QC_Auto_Clear->currentIndex();
    settings.syncRestartIndex = Ui.QC_Sync_Restart->currentIndex();
    return settings;
}

bool SettingsFileController::write(const QString &route, QString *error, QByteArray *written) const
{
    *written = SettingsCodec::encode(current());
    return !written->isEmpty() && SettingsFile::replace(route, *written, error);
}

void SettingsFileController::setSource(const QString &route, const QByteArray &content)
{
    Loaded = {QFileInfo(route).absoluteFilePath(), ActionTrace::sha256(content)};
    Loaded_Settings = current();
}

SettingsFileController::Source SettingsFileController::unchangedSource() const
{
    const SettingsCodec::Settings now = current();
    bool same = now.networkIdIndex == Loaded_Settings.networkIdIndex && now.autoClearIndex == Loaded_Settings.autoClearIndex
                && now.syncRestartIndex == Loaded_Settings.syncRestartIndex;
    for (int i = 0; i < 10; ++i)
        same = same && now.lines[i] == Loaded_Settings.lines[i];
    for (int i = 0; i < 5; ++i)
        same = same && now.typeNames[i] == Loaded_Settings.typeNames[i];
    return same ? Loaded : Source();
}

bool SettingsFileController::save(const QString &route)
{
    QString error;
    QByteArray written;
    if (!write(route, &error, &written)) {
        FileBoxes::notSaved(Page, route, error);
        return false;
    }
    setSource(route, written);
    PageHelpers::appendLog(Ui.USART_Log, QObject::tr("已保存:") + QLatin1Char(' ') + route);
    return true;
}

void SettingsFileController::load(const QString &route, bool writeBack)
{
    // Decoded in memory: a file that is no settings file leaves the page and the file as they were.
    const InputFile::Content content = SettingsFile::read(route);
    const SettingsCodec::Decoded file = SettingsCodec::decode(content.data);
    const SettingsCodec::Settings &s = file.settings;
    if (const QString refusal = LoadProblem::settingsReason(content, file); !refusal.isEmpty())
        return FileBoxes::notLoaded(Page, route, refusal);
    // Missing keys read as empty or 0; the log names them, and the file is not rewritten, so what
    // remains of a cut file stays there to be looked at.
    if (!file.missing.isEmpty())
        PageHelpers::appendLog(Ui.USART_Log, QObject::tr("配置文件缺少 %1, 按空值或 0 载入, 文件没有改写: %2")
                                                 .arg(file.missing.join(QStringLiteral(", ")), route));

    for (size_t i = 0; i < Page_Lines.size(); ++i)
        Page_Lines[i] = s.lines[i];
    bool reported = !Hooks.showPreview();

    if (SettingsCodec::typeNameFaulty(s))
        return Hooks.formatError(QLatin1String(SettingsCodec::TypeNameError));
    for (int i = 0; i < 5; ++i)
        Ui.QL_Type_Name[i]->setText(s.typeNames[i]);

    // The boxes hold exactly the choices the codec counts, in the codec's order.
    QComboBox *const boxes[] = {Ui.QC_Network_ID, Ui.QC_Auto_Clear, Ui.QC_Sync_Restart};
    for (size_t i = 0; i < SettingsCodec::Parameters.size(); ++i) {
        const SettingsCodec::Parameter &p = SettingsCodec::Parameters[i];
        if (p.holds(s)) {
            boxes[i]->setCurrentIndex(s.*p.index);
        } else {
            Hooks.formatError(QLatin1String(p.error));
            reported = true;
        }
    }
    // The file is rewritten from what was loaded; when that fails the file stays as it was.
    if (reported) // the page is not what the file holds
        return;
    QString error;
    QByteArray written;
    const bool rewrite = writeBack && file.missing.isEmpty();
    const bool rewritten = rewrite && write(route, &error, &written);
    if (rewrite && !rewritten)
        FileBoxes::notSaved(Page, route, error);
    // The file as it is on the disk now: rewritten from the page, or as it was read.
    setSource(route, rewritten ? written : content.data);
}
