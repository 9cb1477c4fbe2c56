#include "letters/MotEnterDialog.h"

#include "letters/MotEnterButton.h"
#include "letters/MotEnterEdit.h"
#include "presentation/Bell.h"
#include "shell/AppServices.h"
#include "shell/GameFonts.h"
#include "shell/TimerPeriods.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>

namespace lexinum {

namespace {

constexpr int kColumns = 9;

// `font`, made smaller if need be so that each of `labels` fits a button
// `width` pixels wide and `height` high: a small results box must not cut them.
QFont FittingFont(QFont font, const QStringList& labels, int width, int height, int padding) {
    const auto widest = [&labels](const QFont& f) {
        const QFontMetrics metrics(f);
        int most = 0;
        for (QString label : labels)
            most = std::max(most, metrics.horizontalAdvance(label.remove(QLatin1Char('&'))));
        return most;
    };
    const auto tall = [height, padding](const QFont& f) { return QFontMetrics(f).height() + padding / 2 > height; };
    while (font.pixelSize() > 6 && (widest(font) + padding > width || tall(font)))
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

} // namespace

MotEnterDialog::MotEnterDialog(QWidget* parent, AppServices& app, const QRect& area, std::string_view letters,
                               Judge judge)
    : OverResultsDialog(parent, app, kHelpTopic, area, {kSeconds, app.Periods().wordAnswer}), judge_(std::move(judge)),
      buttons_(letters) {
    setWindowTitle(QStringLiteral("Votre mot"));
    setAccessibleName(QStringLiteral("Votre mot"));
    setAutoFillBackground(true);

    edit_ = new MotEnterEdit(letters, this);
    edit_->setFont(app.Fonts().bigFont);
    connect(edit_, &MotEnterEdit::edited, this, &MotEnterDialog::FollowEdit);
    for (int i = 0; i < WordEntryButtons::kButtonCount; ++i) {
        auto* button = new MotEnterButton(i, this);
        button->setFont(app.Fonts().buttonFont);
        button->SetLetter(i < buttons_.Count() ? QChar(QLatin1Char(buttons_.Letter(i))) : QChar());
        connect(button, &QPushButton::clicked, this, [this, i] { LetterPressed(i); });
        letterButtons_[static_cast<std::size_t>(i)] = button;
    }
    okButton_ = new QPushButton(QStringLiteral("O&K"), this);
    eraseButton_ = new QPushButton(QStringLiteral("E&ffacer"), this);
    cancelButton_ = new QPushButton(QStringLiteral("Annuler"), this);
    for (QPushButton* button : {okButton_, eraseButton_, cancelButton_})
        button->setFont(app.Fonts().buttonFont);
    okButton_->setDefault(true);
    eraseButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &MotEnterDialog::accept);
    connect(eraseButton_, &QPushButton::clicked, this, &MotEnterDialog::Erase);
    connect(cancelButton_, &QPushButton::clicked, this, &MotEnterDialog::reject);

    // Tab goes from the word to the letters, then to the three buttons.
    QWidget* previous = edit_;
    for (MotEnterButton* button : letterButtons_) {
        setTabOrder(previous, button);
        previous = button;
    }
    for (QPushButton* button : {okButton_, eraseButton_, cancelButton_}) {
        setTabOrder(previous, button);
        previous = button;
    }

    PlaceControls(area.size());
    ShowButtons();
    edit_->setFocus(Qt::OtherFocusReason);
}

void MotEnterDialog::PlaceControls(const QSize& size) {
    const int width = size.width();
    const int height = size.height();
    const int m = width / 20;
    const int v = height / 20;
    const int inner = ((width - 2 * m) / kColumns) * kColumns;
    const int column = inner / kColumns;
    const QFontMetrics buttonMetrics(App().Fonts().buttonFont);
    const int editHeight = edit_->sizeHint().height();
    edit_->setGeometry(m, v, inner, editHeight);
    const int lettersTop = v + editHeight + v;
    // The rows of letters the draw fills and the row of "O&K", "E&ffacer",
    // "Annuler" share what the box leaves below the word, a gap above the
    // last: at most two text lines each, less in a low box.
    const int letterRows = std::max(1, (buttons_.Count() + kColumns - 1) / kColumns);
    const int room = height - lettersTop - 2 * v;
    const int row = std::max(
        1, std::min(2 * buttonMetrics.height() + 2 * std::max(0, buttonMetrics.leading()), room / (letterRows + 1)));

    for (int i = 0; i < WordEntryButtons::kButtonCount; ++i)
        letterButtons_[static_cast<std::size_t>(i)]->setGeometry(m + (i % kColumns) * column,
                                                                 lettersTop + (i / kColumns) * row, column, row);
    const int padding = 2 * style()->pixelMetric(QStyle::PM_ButtonMargin) + 4;
    // A single letter needs little room around it.
    const QFont letterFont = FittingFont(App().Fonts().buttonFont, {QStringLiteral("W")}, column, row, 4);
    for (MotEnterButton* button : letterButtons_)
        button->setFont(letterFont);
    const int gap = m / 2;
    const int buttonWidth = (inner - 2 * gap) / 3;
    const QFont labelFont =
        FittingFont(App().Fonts().buttonFont, {okButton_->text(), eraseButton_->text(), cancelButton_->text()},
                    buttonWidth, row, padding);
    for (QPushButton* button : {okButton_, eraseButton_, cancelButton_})
        button->setFont(labelFont);
    const int bottom = height - v - row;
    okButton_->setGeometry(m, bottom, buttonWidth, row);
    eraseButton_->setGeometry(m + buttonWidth + gap, bottom, buttonWidth, row);
    cancelButton_->setGeometry(m + 2 * (buttonWidth + gap), bottom, buttonWidth, row);
}

void MotEnterDialog::ShowButtons() {
    for (int i = 0; i < WordEntryButtons::kButtonCount; ++i)
        letterButtons_[static_cast<std::size_t>(i)]->setVisible(buttons_.Visible(i));
}

void MotEnterDialog::LetterPressed(int index) {
    const QString selected = edit_->selectedText();
    buttons_.Pressed(index, selected.toStdString());
    edit_->InsertFromButton(letterButtons_[static_cast<std::size_t>(index)]->Letter());
    ShowButtons();
    edit_->setFocus(Qt::OtherFocusReason);
}

void MotEnterDialog::FollowEdit(const QString& before, const QString& selected, int selectionStart,
                                const QString& after) {
    if (!buttons_.Edited(before.toStdString(), selected.toStdString(), selectionStart, after.toStdString()))
        Bell::Ring();
    ShowButtons();
}

void MotEnterDialog::Erase() {
    edit_->Erase();
    buttons_.ShowAll();
    ShowButtons();
    edit_->setFocus(Qt::OtherFocusReason);
}

void MotEnterDialog::accept() {
    // Judging may read the lexicon or show a message: the time cannot run
    // out meanwhile.
    StopClock();
    word_ = edit_->text().left(WordEntryButtons::kButtonCount).toStdString();
    result_ = judge_ ? judge_(word_) : WordCheckResult::NoAnswer;
    OverResultsDialog::accept();
}

} // namespace lexinum
