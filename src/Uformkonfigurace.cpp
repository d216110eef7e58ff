// The configuration dialog as designed: its components, the filling of the fields, the check of
// the input and the writing of the settings.

#include "Uformkonfigurace.h"

#include <algorithm>
#include <functional>

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "Unitpom.h"
#include "base64/PasswordText.h"
#include "platform/Application.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/Modal.h"
#include "platform/Paths.h"
#include "platform/QtText.h"

using platform::cz;
using platform::modal;

namespace {

constexpr int kClientWidth = 545;
constexpr int kClientHeight = 323;
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;

// A check box or radio button that reports the release of a mouse button or a key after the
// widget has handled it, so that the handler sees the new check mark.
template <typename Button>
class ReleaseReporting : public Button {
public:
    ReleaseReporting(const QString& caption, QWidget* parent) : Button(caption, parent) {}

    std::function<void()> mouseUp;
    std::function<void()> keyUp;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        Button::mouseReleaseEvent(event);
        if (mouseUp) {
            mouseUp();
        }
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        Button::keyReleaseEvent(event);
        if (keyUp) {
            keyUp();
        }
    }
};

template <typename Widget>
Widget* placed(Widget* widget, const QRect& geometry) {
    widget->setGeometry(geometry);
    return widget;
}

QString q(const char* utf8Literal) {
    return platform::toQString(cz(utf8Literal));
}

QLabel* makeLabel(const char* caption, QWidget* parent, int left, int top) {
    auto* label = new QLabel(q(caption), parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const QRect& geometry) {
    return placed(new QLineEdit(parent), geometry);
}

QLineEdit* makePasswordEdit(QWidget* parent, const QRect& geometry) {
    QLineEdit* edit = makeEdit(parent, geometry);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    return edit;
}

QPushButton* makeButton(const char* caption, QWidget* parent, const QRect& geometry) {
    return placed(new QPushButton(q(caption), parent), geometry);
}

// The fallback for "MS Sans Serif" is wider than the designed font: a check box or radio button
// grows to the right where its caption would otherwise be cut.
template <typename Button>
Button* widenedToCaption(Button* button) {
    button->resize(std::max(button->width(), button->sizeHint().width()), button->height());
    return button;
}

template <typename Button>
ReleaseReporting<Button>* makeReporting(const char* caption, QWidget* parent,
                                        const QRect& geometry) {
    return widenedToCaption(placed(new ReleaseReporting<Button>(q(caption), parent), geometry));
}

// The field's text as the system's text. Only called once unstorableField has found every
// saved field storable, so the strict conversion succeeds.
Text textOf(const QLineEdit* field) {
    return platform::fromQString(field->text()).value_or(Text{});
}

void setText(QLineEdit* field, const Text& text) {
    field->setText(platform::toQString(text));
}

bool hasExtension(const Text& path) {
    return platform::fileNamePart(path).find('.') != Text::npos;
}

Text unstorablePathMessage(const QString& path) {
    return cz("Zvolenou cestu nelze použít, obsahuje znaky, které program neumí uložit:\n") +
           platform::fromQStringLossy(path);
}

} // namespace

TFormKonfigurace::TFormKonfigurace(QWidget* Owner)
    : QDialog(Owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setWindowTitle(q("Konfigurace programu"));
    setFixedSize(kClientWidth, kClientHeight);
    // "MS Sans Serif" 8 points at 96 dpi; Qt falls back to the nearest font it has.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    ButtonSave = makeButton("Uložit nastavení", this, {291, 272, 105, 41});
    ButtonSave->setDefault(true);
    Label1 = makeLabel("Login: ", this, 9, 46);
    Label2 = makeLabel("Heslo: ", this, 9, 78);
    EditLogin = makeEdit(this, {64, 43, 121, 21});
    EditHeslo = makePasswordEdit(this, {64, 75, 121, 21});
    auto* checkBoxProxy =
        makeReporting<QCheckBox>("Používat proxy server", this, {9, 102, 137, 17});
    CheckBoxProxy = checkBoxProxy;
    EditProxyAdresa = makeEdit(this, {64, 123, 121, 21});
    EditProxyPort = makeEdit(this, {64, 155, 121, 21});
    LabelAdresa = makeLabel("Adresa: ", this, 8, 126);
    LabelPort = makeLabel("Port: ", this, 8, 158);
    LabelLogin = makeLabel("Login: ", this, 7, 190);
    LabelHeslo = makeLabel("Heslo: ", this, 7, 222);
    EditProxyHeslo = makePasswordEdit(this, {64, 219, 121, 21});
    EditProxyLogin = makeEdit(this, {64, 187, 121, 21});
    LMDButton1 = makeButton("Storno", this, {146, 271, 106, 41});
    Label4 = makeLabel("Cesta k LOG souboru:", this, 233, 97);
    EditCestaLog = makeEdit(this, {233, 111, 233, 21});
    auto* checkBoxLog =
        makeReporting<QCheckBox>("Zapisovat průběh přenosu do logu", this, {233, 46, 208, 17});
    CheckBoxLog = checkBoxLog;
    Label5 = makeLabel("Adresa FTP serveru: ", this, 9, 15);
    EditFTPServer = makeEdit(this, {121, 11, 121, 21});
    LMDButtonDefFTPServer = makeButton("Výchozí IP", this, {251, 8, 65, 26});
    ButtonBrowseLog = makeButton("Procházet", this, {471, 108, 63, 26});
    SaveDialog.Title = cz("Uložit log soubor");
    RadioButtonAll = widenedToCaption(
        placed(new QRadioButton(q("Zachovávat celou historii"), this), {232, 72, 137, 17}));
    RadioButtonAll->setChecked(true);
    RadioButtonLastOnly = placed(new QRadioButton(q("Jen výsledek"), this), {393, 72, 145, 17});
    GroupBox1 = placed(new QGroupBox(q("Operace se soubory po úspěšném odeslání: "), this),
                       {232, 136, 305, 116});
    auto* radioLeave = makeReporting<QRadioButton>("Ponechat", GroupBox1, {8, 19, 113, 17});
    RadioLeave = radioLeave;
    RadioLeave->setChecked(true);
    auto* radioDelete = makeReporting<QRadioButton>("Smazat", GroupBox1, {8, 43, 113, 17});
    RadioDelete = radioDelete;
    auto* radioMoveTo =
        makeReporting<QRadioButton>("Přesunout do adresáře: ", GroupBox1, {8, 67, 153, 17});
    RadioMoveTo = radioMoveTo;
    ButtonBrowse = makeButton("Procházet", GroupBox1, {236, 59, 60, 22});
    EditCestaAdresare = makeEdit(GroupBox1, {7, 86, 290, 21});
    EditCestaAdresare->setEnabled(false);
    // A raised bar between the connection settings and the log and file settings.
    Panel1 = placed(new QFrame(this), {203, 39, 9, 214});
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    EnableProxyControls(false);

    QWidget* const tabOrder[] = {
        EditFTPServer,         EditLogin,       EditHeslo,
        CheckBoxProxy,         EditProxyAdresa, EditProxyPort,
        EditProxyLogin,        EditProxyHeslo,  EditCestaLog,
        CheckBoxLog,           ButtonSave,      LMDButton1,
        LMDButtonDefFTPServer, ButtonBrowseLog, RadioButtonAll,
        RadioButtonLastOnly,   RadioLeave,      RadioDelete,
        RadioMoveTo,           ButtonBrowse,    EditCestaAdresare,
    };
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    using platform::handler;
    connect(ButtonSave, &QPushButton::clicked, this, handler([this] { ButtonSaveClick(); }));
    connect(LMDButton1, &QPushButton::clicked, this, handler([this] { LMDButton1Click(); }));
    connect(ButtonBrowse, &QPushButton::clicked, this, handler([this] { ButtonBrowseClick(); }));
    connect(LMDButtonDefFTPServer, &QPushButton::clicked, this,
            handler([this] { LMDButtonDefFTPServerClick(); }));
    connect(ButtonBrowseLog, &QPushButton::clicked, this,
            handler([this] { ButtonBrowseLogClick(); }));
    checkBoxProxy->mouseUp = handler([this] { CheckBoxProxyMouseUp(); });
    checkBoxProxy->keyUp = handler([this] { CheckBoxProxyKeyUp(); });
    checkBoxLog->mouseUp = handler([this] { CheckBoxLogMouseUp(); });
    checkBoxLog->keyUp = handler([this] { CheckBoxLogKeyUp(); });
    radioLeave->mouseUp = handler([this] { RadioLeaveMouseUp(); });
    radioLeave->keyUp = handler([this] { RadioDeleteKeyUp(); });
    radioDelete->mouseUp = handler([this] { RadioLeaveMouseUp(); });
    radioDelete->keyUp = handler([this] { RadioDeleteKeyUp(); });
    radioMoveTo->mouseUp = handler([this] { RadioMoveToMouseUp(); });
    radioMoveTo->keyUp = handler([this] { RadioMoveToKeyUp(); });
}

void TFormKonfigurace::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platform::handler([this] { FormActivate(); })();
}

void TFormKonfigurace::FormActivate() {
    if (activated_) {
        return;
    }
    activated_ = true;
    setText(EditFTPServer, ReadSetting("", "FTPServer", DefaultFtpServer));
    setText(EditLogin, ReadSetting("", "Login", ""));
    setText(EditHeslo, DecodePasswordFromSettings(ReadSetting("", "Heslo", "")));
    CheckBoxProxy->setChecked(ReadSettingInt("Proxy", 0) != 0);
    CheckBoxLog->setChecked(ReadSettingInt("UseLog", 0) != 0);
    EnableLogControls(CheckBoxLog->isChecked());
    setText(EditCestaLog, ReadSetting("", "CestaLog", ""));
    if (CheckBoxProxy->isChecked()) {
        setText(EditProxyLogin, ReadSetting("", "ProxyLogin", ""));
        setText(EditProxyHeslo, DecodePasswordFromSettings(ReadSetting("", "ProxyHeslo", "")));
        setText(EditProxyAdresa, ReadSetting("", "ProxyAdresa", ""));
        setText(EditProxyPort, ReadSetting("", "ProxyPort", ""));
        EnableProxyControls(true);
    } else {
        // The stored proxy values stay in the file; switched on again, they must be typed anew.
        for (QLineEdit* field : {EditProxyLogin, EditProxyHeslo, EditProxyAdresa, EditProxyPort}) {
            field->clear();
        }
        EnableProxyControls(false);
    }
    switch (ReadSettingInt("FilesMoveTo", 0) & 0xFF) {
    case 1:
        RadioDelete->setChecked(true);
        EnableFolderControls(false);
        break;
    case 2:
        RadioMoveTo->setChecked(true);
        EnableFolderControls(true);
        setText(EditCestaAdresare, ReadSetting("", "FilesMoveToDir", ""));
        break;
    default:
        RadioLeave->setChecked(true);
        EnableFolderControls(false);
        break;
    }
    if ((ReadSettingInt("DeleteLog", 0) & 0xFF) != 0) {
        RadioButtonLastOnly->setChecked(true);
    }
}

const QLineEdit* TFormKonfigurace::unstorableField(Text& name) const {
    struct Field {
        const QLineEdit* edit;
        const char* name;
        bool saved;
    };
    const bool proxy = CheckBoxProxy->isChecked();
    const Field fields[] = {
        {EditFTPServer, "Adresa FTP serveru", true},
        {EditLogin, "Login", true},
        {EditHeslo, "Heslo", true},
        {EditProxyAdresa, "Adresa proxy serveru", proxy},
        {EditProxyPort, "Port proxy serveru", proxy},
        {EditProxyLogin, "Login k proxy serveru", proxy},
        {EditProxyHeslo, "Heslo k proxy serveru", proxy},
        {EditCestaLog, "Cesta k LOG souboru", true},
        {EditCestaAdresare, "Přesunout do adresáře", RadioMoveTo->isChecked()},
    };
    for (const Field& field : fields) {
        if (field.saved && !platform::fromQString(field.edit->text())) {
            name = cz(field.name);
            return field.edit;
        }
    }
    return nullptr;
}

bool TFormKonfigurace::ValidateInput() {
    const auto refuse = [](const char* message) {
        modal().ShowMessage(cz(message));
        return false;
    };
    Text fieldName;
    if (unstorableField(fieldName)) {
        modal().ShowMessage(cz("Pole „") + fieldName +
                            cz("“ obsahuje znaky, které program neumí uložit."));
        return false;
    }
    if (EditFTPServer->text().isEmpty()) {
        return refuse("Vyplňte prosím adresu cílového FTP serveru. ");
    }
    if (EditLogin->text().isEmpty()) {
        return refuse("Vyplňte prosím své uživatelské jméno (Login) pro připojení k FTP serveru. ");
    }
    if (EditHeslo->text().isEmpty()) {
        return refuse("Vyplňte prosím své heslo pro připojení k FTP serveru. ");
    }
    const Text logPath = textOf(EditCestaLog);
    if (!logPath.empty()) {
        if (!platform::folderExists(platform::folderPart(logPath))) {
            return refuse("Adresář s log souborem neexistuje.");
        }
        if (platform::fileNamePart(logPath).empty()) {
            setText(EditCestaLog, platform::withTrailingSeparator(logPath) + "Log.log");
        }
    }
    if (CheckBoxLog->isChecked() && EditCestaLog->text().isEmpty()) {
        return refuse("Adresář s log souborem není nastaven.");
    }
    if (RadioMoveTo->isChecked()) {
        if (EditCestaAdresare->text().isEmpty()) {
            return refuse("Není nastaven adresář pro přesun zdrojových souborů.");
        }
        const Text folder = platform::withTrailingSeparator(textOf(EditCestaAdresare));
        setText(EditCestaAdresare, folder);
        const Text bare = platform::isRoot(folder) ? folder : folder.substr(0, folder.size() - 1);
        if (!platform::folderExists(bare)) {
            return refuse("Neexistuje adresář pro přesun zdrojových souborů.");
        }
    }
    if (CheckBoxProxy->isChecked()) {
        if (EditProxyAdresa->text().isEmpty()) {
            return refuse("Vyplňte prosím adresu proxy serveru. ");
        }
        if (EditProxyPort->text().isEmpty()) {
            return refuse("Vyplňte prosím port proxy serveru. ");
        }
        const auto port = platform::parseInteger(textOf(EditProxyPort));
        if (!port || *port < kLowestPort || *port > kHighestPort) {
            return refuse("Port proxy serveru musí být celé číslo v rozmezí 1 - 65535. ");
        }
    }
    return true;
}

void TFormKonfigurace::ButtonSaveClick() {
    if (!ValidateInput()) {
        return;
    }
    // Each value is its own access to the file, in this order; a refused write stops the rest.
    WriteSetting("", "FTPServer", textOf(EditFTPServer));
    WriteSetting("", "Login", textOf(EditLogin));
    WriteSetting("", "Heslo", EncodePasswordForSettings(textOf(EditHeslo)));
    WriteSettingInt("UseLog", CheckBoxLog->isChecked() ? 1 : 0);
    WriteSetting("", "CestaLog", textOf(EditCestaLog));
    WriteSettingInt("DeleteLog", RadioButtonLastOnly->isChecked() ? 1 : 0);
    if (CheckBoxProxy->isChecked()) {
        WriteSettingInt("Proxy", 1);
        WriteSetting("", "ProxyLogin", textOf(EditProxyLogin));
        WriteSetting("", "ProxyHeslo", EncodePasswordForSettings(textOf(EditProxyHeslo)));
        WriteSetting("", "ProxyAdresa", textOf(EditProxyAdresa));
        WriteSetting("", "ProxyPort", textOf(EditProxyPort)); // as typed
    } else {
        WriteSettingInt("Proxy", 0); // the stored proxy values stay
    }
    const int filesMoveTo = RadioMoveTo->isChecked() ? 2 : RadioDelete->isChecked() ? 1 : 0;
    WriteSettingInt("FilesMoveTo", filesMoveTo);
    if (filesMoveTo == 2) {
        WriteSetting("", "FilesMoveToDir", textOf(EditCestaAdresare));
    }
    accept();
}

void TFormKonfigurace::LMDButton1Click() {
    reject();
}

void TFormKonfigurace::LMDButtonDefFTPServerClick() {
    setText(EditFTPServer, DefaultFtpServer);
}

void TFormKonfigurace::ButtonBrowseLogClick() {
    if (!EditCestaLog->text().isEmpty()) {
        SaveDialog.FileName = platform::fromQStringLossy(EditCestaLog->text());
    }
    if (!SaveDialog.Execute()) {
        return;
    }
    const auto chosen = platform::fromQString(SaveDialog.Chosen());
    if (!chosen) {
        modal().ShowMessage(unstorablePathMessage(SaveDialog.Chosen()));
        return;
    }
    setText(EditCestaLog, hasExtension(*chosen) ? *chosen : *chosen + ".log");
}

void TFormKonfigurace::ButtonBrowseClick() {
    if (!EditCestaAdresare->text().isEmpty()) {
        BrowseDlg.SelectedFolder = platform::fromQStringLossy(EditCestaAdresare->text());
    }
    if (!BrowseDlg.Execute()) {
        return;
    }
    const auto chosen = platform::fromQString(BrowseDlg.Chosen());
    if (!chosen) {
        modal().ShowMessage(unstorablePathMessage(BrowseDlg.Chosen()));
        return;
    }
    setText(EditCestaAdresare, *chosen); // the trailing separator comes with the save
}

void TFormKonfigurace::CheckBoxProxyMouseUp() {
    EnableProxyControls(CheckBoxProxy->isChecked());
}

void TFormKonfigurace::CheckBoxProxyKeyUp() {
    EnableProxyControls(CheckBoxProxy->isChecked());
}

void TFormKonfigurace::CheckBoxLogMouseUp() {
    EnableLogControls(CheckBoxLog->isChecked());
}

void TFormKonfigurace::CheckBoxLogKeyUp() {
    EnableLogControls(CheckBoxLog->isChecked());
}

// The radio handlers act for the button on which the event arrived, whichever is checked.
void TFormKonfigurace::RadioLeaveMouseUp() {
    EnableFolderControls(false);
}

void TFormKonfigurace::RadioDeleteKeyUp() {
    EnableFolderControls(false);
}

void TFormKonfigurace::RadioMoveToMouseUp() {
    EnableFolderControls(true);
}

void TFormKonfigurace::RadioMoveToKeyUp() {
    EnableFolderControls(true);
}

void TFormKonfigurace::EnableProxyControls(bool on) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{LabelAdresa, LabelPort, EditProxyAdresa, EditProxyPort,
                                         LabelLogin, LabelHeslo, EditProxyLogin, EditProxyHeslo}) {
        control->setEnabled(on);
    }
}

void TFormKonfigurace::EnableLogControls(bool on) {
    for (QWidget* control : std::initializer_list<QWidget*>{Label4, EditCestaLog, ButtonBrowseLog,
                                                            RadioButtonAll, RadioButtonLastOnly}) {
        control->setEnabled(on);
    }
}

void TFormKonfigurace::EnableFolderControls(bool on) {
    EditCestaAdresare->setEnabled(on);
    ButtonBrowse->setEnabled(on);
}
