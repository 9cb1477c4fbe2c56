#pragma once

#include "match/TopTen.h"
#include "presentation/CenteredDialog.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace lexinum {

// "Meilleurs scores": the ten best results of a level, under their
// categories (won, drawn, lost against the computer), with the level chosen
// in a drop-down list; "O&K" and "&Aide".
class TopTenDialog : public CenteredDialog {
    Q_OBJECT

public:
    static constexpr HelpTopic kHelpTopic = HelpTopic::TopTen;

    // The lists of `book`, opened on `level` (1 to 6).
    TopTenDialog(QWidget* parent, AppServices& app, TopTenBook book, int level);

    // Command 111: reads the Top Ten of the data folder and shows it on the
    // level of the match, or the last level played; says so when there is
    // none yet or it cannot be read.
    static void Show(QWidget* parent, AppServices& app);

    QComboBox* LevelList() const { return levels_; }
    QPlainTextEdit* List() const { return list_; }
    QPushButton* OkButton() const { return okButton_; }

private:
    void ShowLevel(int index);

    TopTenBook book_;
    QComboBox* levels_ = nullptr;
    QPlainTextEdit* list_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace lexinum
