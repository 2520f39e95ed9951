#include "SettingsFileController.h"

#include "PageHelpers.h"
#include "PageLayout.h"
#include "device/FileBoxes.h"
#include "ticket/LoadProblem.h"
#include "ticket/SettingsFile.h"

#include <QComboBox>
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

bool SettingsFileController::write(const QString &route, QString *error) const
{
    const QByteArray content = SettingsCodec::encode(current());
    return !content.isEmpty() && SettingsFile::replace(route, content, error);
}

bool SettingsFileController::save(const QString &route)
{
    QString error;
    if (!write(route, &error)) {
        FileBoxes::notSaved(Page, route, error);
        return false;
    }
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
    QString error;
    if (writeBack && !reported && file.missing.isEmpty() && !write(route, &error))
        FileBoxes::notSaved(Page, route, error);
}
