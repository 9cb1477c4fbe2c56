#include "app/HelpAboutDialog.h"

#include "common/Prompter.h"
#include "match/ScrambledLine.h"
#include "shell/AppServices.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace lexinum {

namespace {

// The three lines of the note, scrambled as the saved games are, so that they
// do not stand in the program as plain text (lines ended by CR LF).
std::string ScrambledNote() {
    static const char kNote[] =
        "\xCC\xE5\xF8\xE9\xEE\xF5\xED\xAC\xA0\xEC\xE5\xA0\xEA\xE5\xF5\xA0\xE4\xE5\xF3\xA0\xEC\xE5\xF4\xF4"
        "\xF2\xE5\xF3\xA0\xE5\xF4\xA0\xE4\xE5\xF3\xA0\xE3\xE8\xE9\xE6\xE6\xF2\xE5\xF3\xAE\x8D\x8A\x43\x09"
        "\xE3\xF2\xE9\xF4\xA0\xE5\xEE\xA0\xC3\xAB\xAB\xA0\xE1\xF6\xE5\xE3\xA0\xD1\xF4\xA0\xBB\xA0\xEC\xE5"
        "\xA0\xEC\xE5\xF8\xE9\xF1\xF5\xE5\xA0\xE5\xF3\xF4\xA0\xF5\xEE\xE5\xA0\xEC\xE9\xF3\xF4\xE5\xA0\xE4"
        "\xE5\xA0\xED\xEF\xF4\xF3\xA0\xEC\xE9\xE2\xF2\xE5\xAE\x8D\x8A\xC2\xEF\xEE\xEE\xE5\xA0\xF0\xE1\xF2"
        "\xF4\xE9\xE5\xA0\xA1";
    return std::string(kNote, sizeof kNote - 1);
}

QLabel* Centred(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

HelpAboutDialog::HelpAboutDialog(QWidget* parent, AppServices& app) : CenteredDialog(parent, app, HelpTopic::None) {
    setWindowTitle(QStringLiteral("A propos Lexinum"));

    auto* letters = Centred(QStringLiteral("Le mot le plus long"), this);
    auto* numbers = Centred(QStringLiteral("Le compte est bon"), this);
    auto* icon = new QLabel(this);
    const int side = fontMetrics().height() * 2;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/lexinum.png")).pixmap(side, side));
    icon->setAlignment(Qt::AlignCenter);
    icon->setAccessibleName(QStringLiteral("Icône de Lexinum"));
    auto* name = Centred(QString::fromLatin1(AppServices::kProgramName), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto* version = Centred(VersionText(), this);

    auto* terms = new QFrame(this);
    terms->setFrameShape(QFrame::Box);
    auto* termsColumn = new QVBoxLayout(terms);
    termsColumn->addWidget(Centred(QStringLiteral("Ce programme est distribué gratuitement."), terms));
    termsColumn->addWidget(
        Centred(QStringLiteral("Vous pouvez le copier et le donner librement, mais non le vendre."), terms));

    seen_ = new QPushButton(QStringLiteral("Vu"), this);
    seen_->setDefault(true);
    connect(seen_, &QPushButton::clicked, this, &QDialog::accept);

    auto* games = new QHBoxLayout;
    games->addWidget(letters, 1);
    games->addWidget(icon);
    games->addWidget(numbers, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(seen_);
    buttonRow->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(games);
    column->addWidget(name);
    column->addWidget(version);
    column->addWidget(terms);
    column->addLayout(buttonRow);
}

QString HelpAboutDialog::VersionText() {
    return QStringLiteral("Version 1.2 pour Linux");
}

QString HelpAboutDialog::AboutNote() {
    return QString::fromStdString(ScrambledLine::Unscramble(ScrambledNote()));
}

void HelpAboutDialog::Show(QWidget* frame, AppServices& app) {
    {
        HelpAboutDialog dialog(frame, app);
        dialog.exec();
    }
    Prompter::Active().Tell(AboutNote().toStdString(), AppServices::kProgramName, PromptIcon::None);
}

} // namespace lexinum
