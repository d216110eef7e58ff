#pragma once
// TForm1, the main window: the data file list with its buttons, the unattended mode, the send
// run and the transfer log. The program has one instance, reachable through Form1.
//
// Its methods live in one file per concern: UmainWindow.cpp (the window and start-up),
// UmainFileList.cpp (the data file list), UmainSendRun.cpp (the send run and its checks),
// UmainLog.cpp (the transfer log) and UmainKonfigurace.cpp (the configuration button).

#include <cstdint>
#include <vector>

#include <QWidget>

#include "platform/Application.h"
#include "platform/OpenDialog.h"
#include "platform/Text.h"

class QListWidget;
class QPushButton;

class TForm1 : public QWidget {
public:
    // The window and its components as designed. `arguments` are the command-line arguments
    // after the program's path, kept in order and never changed afterwards.
    explicit TForm1(QWidget* Owner = nullptr,
                    std::vector<Text> arguments = platform::application().Arguments());
    ~TForm1() override;

    // Components, in the order of the form's design (the FTP client joins with the upload stage).
    QPushButton* ButtonStart;
    QListWidget* ListFiles;
    QPushButton* ButtonAddFiles;
    QPushButton* ButtonRemoveFiles;
    platform::OpenDialog OpenDialog;
    QPushButton* ButtonKonfigurace;
    QPushButton* ButtonSave;

    bool AutoMode = false;      // an unattended run was requested; never reset
    bool LogEnabled = false;    // log lines are written at all
    bool LogResultOnly = false; // the log keeps only its last entry
    Text LogPath;               // the log file, used exactly as stored
    const std::vector<Text> Arguments;

    // True for a command-line argument that requests an unattended run: its text after the
    // first character, in Windows-1250 lower case, is "auto" (/auto, -AUTO, xAuto).
    static bool IsAutoModeArgument(const Text& argument);

    // Start-up (UmainWindow.cpp).
    // At the first activation only: loads the stored list, then looks at the arguments.
    void FormActivate();
    // The first argument that requests an unattended run sets AutoMode, runs the send run and
    // asks the application to terminate, whatever the run's outcome. An exception that escapes
    // that run is written to the log instead of being shown, and the program still ends.
    void RunAutoMode();
    void SetStartEnabled(bool enabled);
    // Opens the configuration dialog modally (UmainKonfigurace.cpp).
    void ButtonKonfiguraceClick();

    // The data file list (UmainFileList.cpp).
    void ButtonAddFilesClick();
    void ButtonRemoveFilesClick();
    void ButtonSaveClick();
    // True when `path`, trimmed of blanks and control characters at both ends, equals an item
    // byte for byte.
    bool FileInList(const Text& path) const;
    // 0: the list is empty; 1: every file exists and is not empty; 2: some files are missing or
    // empty; 3: every file is missing, or every file is empty. `badName` gets the last bad path
    // and stays as it was when there is none. Logs one line per bad file, and a closing line
    // for 3.
    int CheckDataFile(Text& badName);
    // Replaces section Files and PocetSouboru of Settings.ini with the list. A refused write
    // raises the settings store's exception.
    void SaveFileList();
    // Appends the stored list to ListFiles; a count larger than the stored keys gives empty
    // items.
    void LoadFileList();
    // The file's size in bytes; 0 when there is no file (a folder is none) or it cannot be
    // opened. A size beyond the 32-bit range reads as the largest 32-bit value.
    std::int32_t FileSizeOf(const Text& path) const;

    // The send run (UmainSendRun.cpp).
    void ButtonStartClick();
    // True when a file gpg.exe lies in the program's folder.
    bool GpgPresent() const;

    // The transfer log (UmainLog.cpp). Both are silent: a failure loses the entry and nothing
    // else.
    // One entry: with `stamp` the local time as D.M.YYYY h:m:s and a blank first; every line
    // feed is written as CR LF. Does nothing unless LogEnabled.
    void WriteLog(Text text, bool stamp);
    // Cuts a log of 100000 bytes or more to its last 10000 bytes read as text, followed by the
    // trim mark.
    void TrimLog();

    // The list's items as the system's text.
    std::vector<Text> ListItems() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addListItem(const Text& path);
    // The window caption as the run's status line.
    Text caption() const;
    void setCaption(const Text& text);
    // The caption and a stamped log line at once.
    void showStatus(const Text& text);
    // Ends a run with a failure: the message in the log, in a box unless unattended, the
    // caption put back, and an unattended program asked to terminate.
    void stopRun(const Text& message, const Text& savedCaption);

    bool activated_ = false;
    bool activationPosted_ = false;
};

// The main window, once the program's entry has made it.
extern TForm1* Form1;
