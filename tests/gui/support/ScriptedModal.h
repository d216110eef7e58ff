#pragma once
// A modal seam for tests: records every modal interaction the program asks for and answers it
// from a script, without showing anything. It installs itself for as long as it lives.

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Modal.h"

namespace guitest {

struct ModalCall {
    enum class Kind { Message, Question, OpenFiles, SaveFile, BrowseFolder };
    Kind kind;
    Text text;    // message box, question
    Text caption; // question
    Text title;   // open and save dialogs
    Text path;    // initial folder, or the save dialog's file name
};

class ScriptedModal : public platform::Modal {
public:
    ScriptedModal();
    ~ScriptedModal() override;
    ScriptedModal(const ScriptedModal&) = delete;
    ScriptedModal& operator=(const ScriptedModal&) = delete;

    // Answers for the next question and dialogs, used in order. A call without a scripted
    // answer fails the test and is answered No or cancelled.
    void answerQuestion(bool yes) { questions_.push_back({yes, {}}); }
    void answerOpenFiles(const QStringList& files) { openFiles_.push_back({true, files}); }
    void cancelOpenFiles() { openFiles_.push_back({false, {}}); }
    void answerSaveFile(const QString& path) { saveFiles_.push_back({true, path}); }
    void cancelSaveFile() { saveFiles_.push_back({false, {}}); }
    void answerBrowseFolder(const QString& path) { folders_.push_back({true, path}); }
    void cancelBrowseFolder() { folders_.push_back({false, {}}); }

    // Runs at every call, while the box or dialog would be open.
    std::function<void(const ModalCall&)> whileOpen;

    const std::vector<ModalCall>& calls() const { return calls_; }

    // The texts of the message boxes, in order.
    std::vector<Text> messages() const;

    void ShowMessage(const Text& text) override;
    bool AskYesNo(const Text& text, const Text& caption) override;
    std::optional<QStringList> OpenFiles(const Text& title, const Text& initialFolder) override;
    std::optional<QString> SaveFile(const Text& title, const Text& fileName) override;
    std::optional<QString> BrowseFolder(const Text& initialFolder) override;

private:
    void record(const ModalCall& call);

    // A scripted answer: Yes or confirmed (`given`) with its value, or No or cancelled.
    template <typename T>
    struct Answer {
        bool given = false;
        T value;
    };

    // The next answer; a call without one fails the test and gets No or cancel.
    template <typename T>
    Answer<T> next(std::deque<Answer<T>>& answers, const char* what);

    std::vector<ModalCall> calls_;
    std::deque<Answer<bool>> questions_;
    std::deque<Answer<QStringList>> openFiles_;
    std::deque<Answer<QString>> saveFiles_;
    std::deque<Answer<QString>> folders_;
};

} // namespace guitest
