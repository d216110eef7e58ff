#include "gui/konfigurace/KonfiguraceFixture.h"

#include <filesystem>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "platform/Paths.h"
#include "support/FileBytes.h"

namespace guitest {

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

KonfiguraceFixture::KonfiguraceFixture() {
    platform::setProgramFolderForTesting(programFolder.path());
}

KonfiguraceFixture::~KonfiguraceFixture() {
    platform::setProgramFolderForTesting("");
}

std::unique_ptr<TFormKonfigurace> KonfiguraceFixture::open() {
    auto dialog = std::make_unique<TFormKonfigurace>(nullptr);
    dialog->show();
    return dialog;
}

void KonfiguraceFixture::writeSettings(const std::string& generalLines) {
    testsupport::writeBytes(settingsPath, "[General]\r\n" + generalLines);
}

std::string KonfiguraceFixture::settingsBytes() const {
    return std::filesystem::exists(settingsPath) ? testsupport::readBytes(settingsPath) : "";
}

void KonfiguraceFixture::type(QLineEdit* field, const std::string& utf8) {
    EXPECT_TRUE(field->isEnabled()) << "typing into a disabled field";
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (utf8.empty()) {
        QTest::keyClick(field, Qt::Key_Delete);
        return;
    }
    for (const QChar c : qs(utf8)) {
        // QTest names keys for Latin-1 only; other letters come as text, as a keyboard layout
        // or an input method delivers them.
        if (c.unicode() < 0x80) {
            QTest::keyClick(field, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void KonfiguraceFixture::click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

std::vector<QWidget*> KonfiguraceFixture::proxyControls(const TFormKonfigurace& d) {
    return {d.LabelAdresa, d.LabelPort,  d.EditProxyAdresa, d.EditProxyPort,
            d.LabelLogin,  d.LabelHeslo, d.EditProxyLogin,  d.EditProxyHeslo};
}

std::vector<QWidget*> KonfiguraceFixture::logControls(const TFormKonfigurace& d) {
    return {d.Label4, d.EditCestaLog, d.ButtonBrowseLog, d.RadioButtonAll, d.RadioButtonLastOnly};
}

std::vector<QWidget*> KonfiguraceFixture::folderControls(const TFormKonfigurace& d) {
    return {d.EditCestaAdresare, d.ButtonBrowse};
}

bool KonfiguraceFixture::allEnabled(const std::vector<QWidget*>& controls, bool on) {
    for (const QWidget* control : controls) {
        if (control->isEnabled() != on) {
            return false;
        }
    }
    return true;
}

void KonfiguraceFixture::fillLogin(TFormKonfigurace& dialog) {
    type(dialog.EditFTPServer, "127.0.0.1");
    type(dialog.EditLogin, "jan");
    type(dialog.EditHeslo, "heslo");
}

} // namespace guitest
