#include "app/TopTenDialog.h"

#include "common/Profile.h"
#include "common/Prompter.h"
#include "match/Levels.h"
#include "shell/AppServices.h"
#include "shell/SettingsKeys.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>

namespace lexinum {

namespace {

// The list's tab stops, in quarters of the average character width (dialog units).
constexpr int kFirstTabUnits = 50;
constexpr int kSecondTabUnits = 80;
// The list shows about this many characters and lines.
constexpr int kListChars = 52;
constexpr int kListLines = 14;

} // namespace

TopTenDialog::TopTenDialog(QWidget* parent, AppServices& app, TopTenBook book, int level)
    : CenteredDialog(parent, app, kHelpTopic), book_(std::move(book)) {
    setWindowTitle(QString::fromUtf8(TopTenTexts::kDialogTitle));
    levels_ = new QComboBox(this);
    for (int i = kLowestLevel; i <= kHighestLevel; ++i)
        levels_->addItem(QString::fromStdString(TopTenLevelItem(i)));
    auto* label = new QLabel(QString::fromUtf8(TopTenTexts::kLevelLabel), this);
    label->setBuddy(levels_);
    list_ = new QPlainTextEdit(this);
    list_->setReadOnly(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    list_->setAccessibleName(QStringLiteral("Résultats du niveau"));
    const QFontMetrics metrics(list_->font());
    // Two tab stops: the sets after the name, then the date.
    const int unit = metrics.averageCharWidth();
    QTextOption tabs = list_->document()->defaultTextOption();
    tabs.setTabs({QTextOption::Tab(unit * kFirstTabUnits / 4.0, QTextOption::LeftTab),
                  QTextOption::Tab(unit * kSecondTabUnits / 4.0, QTextOption::LeftTab)});
    list_->document()->setDefaultTextOption(tabs);
    list_->setMinimumSize(unit * kListChars, metrics.lineSpacing() * kListLines);
    okButton_ = new QPushButton(QStringLiteral("O&K"), this);
    okButton_->setDefault(true);
    auto* help = new QPushButton(QStringLiteral("&Aide"), this);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, &TopTenDialog::Help);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(levels_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(help);
    auto* layout = new QGridLayout(this);
    layout->addLayout(top, 0, 0);
    layout->addWidget(list_, 1, 0);
    layout->addLayout(buttons, 2, 0);

    connect(levels_, &QComboBox::currentIndexChanged, this, &TopTenDialog::ShowLevel);
    levels_->setCurrentIndex(TopTenLevelFor(level) - 1);
    ShowLevel(levels_->currentIndex());
    levels_->setFocus(Qt::OtherFocusReason);
}

void TopTenDialog::ShowLevel(int index) {
    list_->setPlainText(QString::fromStdString(ListingText(book_, index + 1)).remove(QLatin1Char('\r')));
}

void TopTenDialog::Show(QWidget* parent, AppServices& app) {
    const TopTenLoad load = ReadTopTen(TopTenFile(app.DataFolder().toStdString()), true);
    if (load.result == TopTenRead::Missing) {
        Prompter::Active().Tell(TopTenTexts::kNoFile, TopTenTexts::kCaption, PromptIcon::Exclamation);
        return;
    }
    if (load.result == TopTenRead::Failed) {
        Prompter::Active().Tell("Erreur de fichier:\r\n" + load.error, TopTenTexts::kCaption, PromptIcon::Exclamation);
        return;
    }
    // During a match its level; otherwise the last one played.
    int level = app.State().Level();
    if (!IsLevel(level))
        level = app.Settings().ReadInt(keys::kCompetition, keys::kLastLevel, kHighestLevel);
    TopTenDialog dialog(parent, app, load.book, level);
    dialog.exec();
}

} // namespace lexinum
