#include "gui/support/ScriptedModal.h"

#include <gtest/gtest.h>

namespace guitest {

ScriptedModal::ScriptedModal() {
    platform::setModalForTesting(this);
}

ScriptedModal::~ScriptedModal() {
    platform::setModalForTesting(nullptr);
    EXPECT_TRUE(questions_.empty()) << "a scripted answer to a question was not used";
    EXPECT_TRUE(openFiles_.empty()) << "a scripted open dialog was not used";
    EXPECT_TRUE(saveFiles_.empty()) << "a scripted save dialog was not used";
    EXPECT_TRUE(folders_.empty()) << "a scripted folder dialog was not used";
}

std::vector<Text> ScriptedModal::messages() const {
    std::vector<Text> texts;
    for (const auto& call : calls_) {
        if (call.kind == ModalCall::Kind::Message) {
            texts.push_back(call.text);
        }
    }
    return texts;
}

void ScriptedModal::record(const ModalCall& call) {
    calls_.push_back(call);
    if (whileOpen) {
        whileOpen(call);
    }
}

template <typename T>
ScriptedModal::Answer<T> ScriptedModal::next(std::deque<Answer<T>>& answers, const char* what) {
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << what << " (no scripted answer)";
        return {};
    }
    Answer<T> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

void ScriptedModal::ShowMessage(const Text& text) {
    record({ModalCall::Kind::Message, text, {}, {}, {}});
}

bool ScriptedModal::AskYesNo(const Text& text, const Text& caption) {
    record({ModalCall::Kind::Question, text, caption, {}, {}});
    return next(questions_, "question").given;
}

std::optional<QStringList> ScriptedModal::OpenFiles(const Text& title, const Text& initialFolder) {
    record({ModalCall::Kind::OpenFiles, {}, {}, title, initialFolder});
    auto answer = next(openFiles_, "open dialog");
    return answer.given ? std::optional(answer.value) : std::nullopt;
}

std::optional<QString> ScriptedModal::SaveFile(const Text& title, const Text& fileName) {
    record({ModalCall::Kind::SaveFile, {}, {}, title, fileName});
    auto answer = next(saveFiles_, "save dialog");
    return answer.given ? std::optional(answer.value) : std::nullopt;
}

std::optional<QString> ScriptedModal::BrowseFolder(const Text& initialFolder) {
    record({ModalCall::Kind::BrowseFolder, {}, {}, {}, initialFolder});
    auto answer = next(folders_, "folder dialog");
    return answer.given ? std::optional(answer.value) : std::nullopt;
}

} // namespace guitest
