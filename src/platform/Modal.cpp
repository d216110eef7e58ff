#include "platform/Modal.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/Application.h"
#include "platform/QtText.h"

namespace platform {
namespace {

// Qt's dialogs. File dialogs are owned by the active window, so that they stand over it.
class QtModal : public Modal {
public:
    void ShowMessage(const Text& text) override {
        QMessageBox box(QMessageBox::NoIcon, toQString(application().Title()), toQString(text),
                        QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }

    bool AskYesNo(const Text& text, const Text& caption) override {
        QMessageBox box(QMessageBox::Question, toQString(caption), toQString(text),
                        QMessageBox::Yes | QMessageBox::No);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    std::optional<QStringList> OpenFiles(const Text& title, const Text& initialFolder) override {
        QFileDialog dialog(QApplication::activeWindow(), toQString(title),
                           toQString(initialFolder));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.selectedFiles();
    }

    std::optional<QString> SaveFile(const Text& title, const Text& fileName) override {
        QFileDialog dialog(QApplication::activeWindow(), toQString(title));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        // The pattern "*.*" of the filter's name would hide files without a dot; the last
        // parenthesis holds the pattern that applies, and the name is shown without it.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilter(toQString(cz("Všechny soubory (*.*) (*)")));
        if (!fileName.empty()) {
            dialog.selectFile(toQString(fileName));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> BrowseFolder(const Text& initialFolder) override {
        QFileDialog dialog(QApplication::activeWindow(), QString(), toQString(initialFolder));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().constFirst();
    }
};

Modal* replacementModal = nullptr;

} // namespace

Modal& modal() {
    static QtModal qtModal;
    if (replacementModal != nullptr) {
        return *replacementModal;
    }
    return qtModal;
}

void setModalForTesting(Modal* replacement) {
    replacementModal = replacement;
}

} // namespace platform
