// The configuration dialog as designed: caption, frame, size, every component with its class,
// place, caption and initial state, the radio groups and the tab order.

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/konfigurace/KonfiguraceFixture.h"

using guitest::qs;

namespace {

class KonfiguraceLayout : public guitest::KonfiguraceFixture {
protected:
    std::unique_ptr<TFormKonfigurace> dialog = std::make_unique<TFormKonfigurace>(nullptr);
};

QString captionOf(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        return group->title();
    }
    return {};
}

TEST_F(KonfiguraceLayout, CaptionFrameAndClientArea) {
    EXPECT_EQ(dialog->windowTitle(), qs("Konfigurace programu"));
    EXPECT_EQ(dialog->size(), QSize(545, 323));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << "fixed size";
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_EQ(dialog->font().pixelSize(), 11);
}

TEST_F(KonfiguraceLayout, ComponentsWithTheirClassPlaceCaptionAndInitialState) {
    enum Kind { Button, Label, Edit, CheckBox, Radio, Group, Panel };
    TFormKonfigurace& d = *dialog;
    const struct {
        QWidget* widget;
        Kind kind;
        QWidget* parent;
        QRect geometry; // an empty size: a label, sized by its caption
        const char* caption;
        bool enabled;
        bool checked;
    } components[] = {
        {d.ButtonSave, Button, &d, {291, 272, 105, 41}, "Uložit nastavení", true, false},
        {d.Label1, Label, &d, {9, 46, 0, 0}, "Login: ", true, false},
        {d.Label2, Label, &d, {9, 78, 0, 0}, "Heslo: ", true, false},
        {d.EditLogin, Edit, &d, {64, 43, 121, 21}, "", true, false},
        {d.EditHeslo, Edit, &d, {64, 75, 121, 21}, "", true, false},
        {d.CheckBoxProxy, CheckBox, &d, {9, 102, 137, 17}, "Používat proxy server", true, false},
        {d.EditProxyAdresa, Edit, &d, {64, 123, 121, 21}, "", false, false},
        {d.EditProxyPort, Edit, &d, {64, 155, 121, 21}, "", false, false},
        {d.LabelAdresa, Label, &d, {8, 126, 0, 0}, "Adresa: ", false, false},
        {d.LabelPort, Label, &d, {8, 158, 0, 0}, "Port: ", false, false},
        {d.LabelLogin, Label, &d, {7, 190, 0, 0}, "Login: ", false, false},
        {d.LabelHeslo, Label, &d, {7, 222, 0, 0}, "Heslo: ", false, false},
        {d.EditProxyHeslo, Edit, &d, {64, 219, 121, 21}, "", false, false},
        {d.EditProxyLogin, Edit, &d, {64, 187, 121, 21}, "", false, false},
        {d.LMDButton1, Button, &d, {146, 271, 106, 41}, "Storno", true, false},
        {d.Label4, Label, &d, {233, 97, 0, 0}, "Cesta k LOG souboru:", true, false},
        {d.EditCestaLog, Edit, &d, {233, 111, 233, 21}, "", true, false},
        {d.CheckBoxLog,
         CheckBox,
         &d,
         {233, 46, 208, 17},
         "Zapisovat průběh přenosu do logu",
         true,
         false},
        {d.Label5, Label, &d, {9, 15, 0, 0}, "Adresa FTP serveru: ", true, false},
        {d.EditFTPServer, Edit, &d, {121, 11, 121, 21}, "", true, false},
        {d.LMDButtonDefFTPServer, Button, &d, {251, 8, 65, 26}, "Výchozí IP", true, false},
        {d.ButtonBrowseLog, Button, &d, {471, 108, 63, 26}, "Procházet", true, false},
        {d.RadioButtonAll, Radio, &d, {232, 72, 137, 17}, "Zachovávat celou historii", true, true},
        {d.RadioButtonLastOnly, Radio, &d, {393, 72, 145, 17}, "Jen výsledek", true, false},
        {d.GroupBox1,
         Group,
         &d,
         {232, 136, 305, 116},
         "Operace se soubory po úspěšném odeslání: ",
         true,
         false},
        {d.RadioLeave, Radio, d.GroupBox1, {8, 19, 113, 17}, "Ponechat", true, true},
        {d.RadioDelete, Radio, d.GroupBox1, {8, 43, 113, 17}, "Smazat", true, false},
        {d.RadioMoveTo,
         Radio,
         d.GroupBox1,
         {8, 67, 153, 17},
         "Přesunout do adresáře: ",
         true,
         false},
        {d.ButtonBrowse, Button, d.GroupBox1, {236, 59, 60, 22}, "Procházet", true, false},
        {d.EditCestaAdresare, Edit, d.GroupBox1, {7, 86, 290, 21}, "", false, false},
        {d.Panel1, Panel, &d, {203, 39, 9, 214}, "", true, false},
    };
    for (const auto& c : components) {
        SCOPED_TRACE(c.caption[0] ? c.caption : qPrintable(c.widget->metaObject()->className()));
        const bool classMatches[] = {
            qobject_cast<QPushButton*>(c.widget) != nullptr,
            qobject_cast<QLabel*>(c.widget) != nullptr,
            qobject_cast<QLineEdit*>(c.widget) != nullptr,
            qobject_cast<QCheckBox*>(c.widget) != nullptr,
            qobject_cast<QRadioButton*>(c.widget) != nullptr,
            qobject_cast<QGroupBox*>(c.widget) != nullptr,
            qobject_cast<QFrame*>(c.widget) != nullptr,
        };
        EXPECT_TRUE(classMatches[c.kind]);
        EXPECT_EQ(c.widget->parentWidget(), c.parent);
        EXPECT_EQ(c.widget->pos(), c.geometry.topLeft());
        if (c.kind == Label) {
            EXPECT_EQ(c.widget->size(), c.widget->sizeHint()) << "sized by its caption";
        } else if (c.kind == CheckBox || c.kind == Radio) {
            // The designed size, widened where the fallback font would cut the caption.
            EXPECT_EQ(c.widget->height(), c.geometry.height());
            EXPECT_EQ(c.widget->width(),
                      std::max(c.geometry.width(), c.widget->sizeHint().width()));
        } else {
            EXPECT_EQ(c.widget->size(), c.geometry.size());
        }
        EXPECT_EQ(captionOf(c.widget), qs(c.caption));
        EXPECT_EQ(c.widget->isEnabled(), c.enabled);
        if (const auto* button = qobject_cast<QAbstractButton*>(c.widget)) {
            EXPECT_EQ(button->isChecked(), c.checked);
        }
    }
    EXPECT_EQ(d.EditHeslo->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.EditProxyHeslo->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(d.ButtonSave->isDefault()) << "Enter saves";
    EXPECT_EQ(d.SaveDialog.Title, platform::cz("Uložit log soubor"));
}

TEST_F(KonfiguraceLayout, PasswordsShowAsStars) {
    dialog->show();
    type(dialog->EditHeslo, "abc");
    EXPECT_EQ(dialog->EditHeslo->displayText(), "***");
}

TEST_F(KonfiguraceLayout, TheTwoRadioGroupsAreSeparate) {
    dialog->show();
    click(dialog->RadioDelete);
    EXPECT_TRUE(dialog->RadioDelete->isChecked());
    EXPECT_FALSE(dialog->RadioLeave->isChecked());
    EXPECT_TRUE(dialog->RadioButtonAll->isChecked()) << "the log's group is another one";
    click(dialog->CheckBoxLog); // the log's radio buttons are enabled with logging
    click(dialog->RadioButtonLastOnly);
    EXPECT_FALSE(dialog->RadioButtonAll->isChecked());
    EXPECT_TRUE(dialog->RadioDelete->isChecked());
}

TEST_F(KonfiguraceLayout, TabOrder) {
    TFormKonfigurace& d = *dialog;
    // Every control enabled, so that the chain holds all of them.
    for (QWidget* widget : d.findChildren<QWidget*>()) {
        widget->setEnabled(true);
    }
    const std::vector<QWidget*> designed = {
        d.EditFTPServer,         d.EditLogin,       d.EditHeslo,
        d.CheckBoxProxy,         d.EditProxyAdresa, d.EditProxyPort,
        d.EditProxyLogin,        d.EditProxyHeslo,  d.EditCestaLog,
        d.CheckBoxLog,           d.ButtonSave,      d.LMDButton1,
        d.LMDButtonDefFTPServer, d.ButtonBrowseLog, d.RadioButtonAll,
        d.RadioButtonLastOnly,   d.RadioLeave,      d.RadioDelete,
        d.RadioMoveTo,           d.ButtonBrowse,    d.EditCestaAdresare,
    };
    std::vector<QWidget*> chain;
    QWidget* widget = d.EditFTPServer;
    do {
        if (std::find(designed.begin(), designed.end(), widget) != designed.end()) {
            chain.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != d.EditFTPServer && chain.size() <= designed.size());
    EXPECT_EQ(chain, designed);
    for (QWidget* control : designed) {
        EXPECT_TRUE(control->focusPolicy() & Qt::TabFocus);
    }
}

} // namespace
