#pragma once
// The main window with its dialogs replaced by scripted answers, so that tests drive the file
// actions without modal dialogs and see every error the window would show.

#include "device/framedevice.h"
#include "main/frmmain.h"
#include "main/logview.h"
#include "platform/gui/actionupdates.h"
#include "terminal/kovparameters.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTest>

#include <chrono>
#include <deque>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Lets test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class TTestMainWin : public TFrmMainWin {
public:
    // Answers in the order the window asks; an empty name is a cancelled dialog. A question
    // without a scripted answer fails the test (see Unasked) and is answered with Cancel.
    std::deque<QMessageBox::StandardButton> SaveAnswers;
    std::deque<QString> OpenAnswers;
    std::deque<QString> SaveFileAnswers;
    std::deque<QMessageBox::StandardButton> LanguageAnswers;
    std::deque<QMessageBox::StandardButton> StopAnswers;
    std::deque<QString> ExportAnswers;
    std::vector<QString> ExportTitles;

    // What the window asked and showed.
    int SaveQuestions = 0;
    int OpenDialogs = 0;
    std::vector<QString> SaveDialogTitles;
    // Text and caption of each question after a language change.
    std::vector<std::pair<QString, QString>> LanguageQuestions;
    std::vector<std::string> Errors;
    std::vector<QString> StopQuestions;
    int Unasked = 0;

    // Gives device i these values and lets its panel show them.
    void PlanDevice(int i, const std::string& msn1, const std::string& msn2, const std::string& number1,
                    const std::string& number2, tAciomco mode = EAciomcoNo)
    {
        TKovParameters& t = Document().Parameters(i);
        t.SetMsnIncoming(0, msn1);
        t.SetMsnIncoming(1, msn2);
        t.SetAutomaticCallNumber(0, number1);
        t.SetAutomaticCallNumber(1, number2);
        t.SetAutomaticCallMode(mode);
        Devices()[i]->UpdateView();
    }

    // As the user chooses an action: the idle pass that sets its state has run before.
    static void Trigger(QAction* action)
    {
        TActionUpdates::RunAll();
        action->trigger();
    }

    // Runs the event loop until no panel runs an exchange; false when the deadline passed first.
    bool AwaitExchanges(std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        QElapsedTimer clock;
        clock.start();
        const auto running = [this] {
            for (const TFrameDev* panel : Devices())
                if (panel->ExchangeRunning())
                    return true;
            return false;
        };
        while (running() && clock.elapsed() < limit.count())
            QTest::qWait(5);
        return !running();
    }

    QStringList MessageLines() const { return MsgLog->Lines(); }
    QStringList ComLines() const { return ComLog->Lines(); }

protected:
    QString ChooseOpenFile() override
    {
        ++OpenDialogs;
        return Next(OpenAnswers, QString());
    }
    QString ChooseSaveFile(const QString& title) override
    {
        SaveDialogTitles.push_back(title);
        return Next(SaveFileAnswers, QString());
    }
    QString ChooseExportFile(const QString& title, const QString&, const QString&) override
    {
        ExportTitles.push_back(title);
        return Next(ExportAnswers, QString());
    }
    QMessageBox::StandardButton AskSave() override
    {
        ++SaveQuestions;
        return Next(SaveAnswers, QMessageBox::Cancel);
    }
    QMessageBox::StandardButton AskLanguageRestart(const QString& text, const QString& caption) override
    {
        LanguageQuestions.emplace_back(text, caption);
        return Next(LanguageAnswers, QMessageBox::No);
    }
    QMessageBox::StandardButton AskStopExchanges(const QString& text) override
    {
        StopQuestions.push_back(text);
        return Next(StopAnswers, QMessageBox::No);
    }
    void ShowError(const std::exception& error) override { Errors.push_back(error.what()); }

private:
    template <typename T>
    T Next(std::deque<T>& answers, T fallback)
    {
        if (answers.empty()) {
            ++Unasked;
            return fallback;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
