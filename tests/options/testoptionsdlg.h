#pragma once
// The options dialog with its colour and font choosers replaced by scripted answers, so that
// tests drive it without modal choosers and see what each chooser was preset with.

#include "options/frmoptionsdlg.h"

#include <QColor>
#include <QFont>

#include <deque>
#include <optional>
#include <vector>

class TTestDlgOptions : public TDlgOptions {
public:
    // Answers in the order the dialog asks; no value is a cancelled chooser. A chooser without
    // a scripted answer counts in Unasked and is cancelled.
    std::deque<std::optional<QColor>> ColourAnswers;
    std::deque<std::optional<QFont>> FontAnswers;
    std::vector<QColor> ColourPresets;
    std::vector<QFont> FontPresets;
    int Unasked = 0;

protected:
    std::optional<QColor> ChooseColor(const QColor& initial) override
    {
        ColourPresets.push_back(initial);
        return Next(ColourAnswers);
    }
    std::optional<QFont> ChooseFont(const QFont& initial) override
    {
        FontPresets.push_back(initial);
        return Next(FontAnswers);
    }

private:
    template <typename T>
    std::optional<T> Next(std::deque<std::optional<T>>& answers)
    {
        if (answers.empty()) {
            ++Unasked;
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
