// The main window as designed, its first activation and the unattended mode.

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>

#include "Umain.h"
#include "platform/Exception.h"
#include "platform/QtText.h"

using platform::application;
using platform::cz;

TForm1* Form1 = nullptr;

namespace {

constexpr int kClientWidth = 514;
constexpr int kClientHeight = 262;
constexpr int kListItemHeight = 13;

// Gives every list item the designed height of 13 pixels.
class FixedHeightItems : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(kListItemHeight);
        return size;
    }
};

QPushButton* makeButton(QWidget* form, const char* caption, int top) {
    auto* button = new QPushButton(platform::toQString(cz(caption)), form);
    button->setGeometry(409, top, 96, 41);
    return button;
}

} // namespace

TForm1::TForm1(QWidget* Owner, std::vector<Text> arguments)
    : QWidget(Owner, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      Arguments(std::move(arguments)) {
    setCaption(cz("Projekt DALOMA - Odesílání dat - verze 1.3"));
    setFixedSize(kClientWidth, kClientHeight);
    // "MS Sans Serif" 8 points at 96 dpi; Qt falls back to the nearest font it has.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    ButtonStart = makeButton(this, "Odeslat soubory", 208);
    ListFiles = new QListWidget(this);
    ListFiles->setGeometry(16, 8, 377, 241);
    ListFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListFiles->setUniformItemSizes(true);
    ListFiles->setItemDelegate(new FixedHeightItems(ListFiles));
    ButtonAddFiles = makeButton(this, "Přidat soubor(y)", 8);
    ButtonRemoveFiles = makeButton(this, "Smazat soubor(y)", 58);
    ButtonKonfigurace = makeButton(this, "Konfigurace", 108);
    ButtonSave = makeButton(this, "Uložit nastavení", 158);

    setTabOrder(ButtonStart, ListFiles);
    setTabOrder(ListFiles, ButtonAddFiles);
    setTabOrder(ButtonAddFiles, ButtonRemoveFiles);
    setTabOrder(ButtonRemoveFiles, ButtonKonfigurace);
    setTabOrder(ButtonKonfigurace, ButtonSave);

    using platform::handler;
    connect(ButtonStart, &QPushButton::clicked, this, handler([this] { ButtonStartClick(); }));
    connect(ButtonAddFiles, &QPushButton::clicked, this,
            handler([this] { ButtonAddFilesClick(); }));
    connect(ButtonRemoveFiles, &QPushButton::clicked, this,
            handler([this] { ButtonRemoveFilesClick(); }));
    connect(ButtonKonfigurace, &QPushButton::clicked, this,
            handler([this] { ButtonKonfiguraceClick(); }));
    connect(ButtonSave, &QPushButton::clicked, this, handler([this] { ButtonSaveClick(); }));
}

TForm1::~TForm1() {
    if (Form1 == this) {
        Form1 = nullptr;
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activationPosted_) {
        return;
    }
    activationPosted_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // The first activation is the first show with the event loop running. The window system's
    // activation event may never come without a window manager (under a scheduler), so a
    // zero-delay timer stands for it.
    QTimer::singleShot(0, this, platform::handler([this] { FormActivate(); }));
}

void TForm1::FormActivate() {
    if (activated_) {
        return;
    }
    activated_ = true;
    LoadFileList();
    if (!Arguments.empty()) {
        RunAutoMode();
    }
}

bool TForm1::IsAutoModeArgument(const Text& argument) {
    const Text rest = argument.empty() ? Text{} : argument.substr(1);
    return platform::toLowerCp1250(rest) == "auto";
}

void TForm1::RunAutoMode() {
    for (const Text& argument : Arguments) {
        if (!IsAutoModeArgument(argument)) {
            continue;
        }
        AutoMode = true;
        try {
            ButtonStartClick();
        } catch (...) {
            // An unattended run shows nothing: the error goes to the log, and the program ends.
            WriteLog(platform::exceptionMessage(std::current_exception()), true);
        }
        application().Terminate();
        return; // one unattended run, however many arguments ask for it
    }
}

void TForm1::SetStartEnabled(bool enabled) {
    ButtonStart->setEnabled(enabled);
}

std::vector<Text> TForm1::ListItems() const {
    std::vector<Text> items;
    items.reserve(static_cast<std::size_t>(ListFiles->count()));
    for (int i = 0; i < ListFiles->count(); ++i) {
        // Items come only from Windows-1250 text, so the strict conversion always succeeds.
        items.push_back(platform::fromQString(ListFiles->item(i)->text()).value_or(Text{}));
    }
    return items;
}

void TForm1::addListItem(const Text& path) {
    ListFiles->addItem(platform::toQString(path));
}

Text TForm1::caption() const {
    return platform::fromQString(windowTitle()).value_or(Text{});
}

void TForm1::setCaption(const Text& text) {
    setWindowTitle(platform::toQString(text));
}

void TForm1::showStatus(const Text& text) {
    setCaption(text);
    WriteLog(text, true);
}
