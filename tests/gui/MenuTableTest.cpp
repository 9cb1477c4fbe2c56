// The whole menu bar in each game and mode, read as the player meets it when a
// menu opens: every popup, every item's label, its grey state, its check mark
// and the hint it puts in the message bar.
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"

#include <QMap>
#include <QMenuBar>
#include <QTest>

using namespace lexinum;

namespace {

// The hint of every command, by command number.
const QMap<int, QString>& Hints() {
    static const QMap<int, QString> hints{
        {101, QStringLiteral("Nouvelle donne")},
        {102, QStringLiteral("Affiche les solutions (vous laisse chercher d'abord !)")},
        {103, QStringLiteral("Passe au jeu des chiffres")},
        {104, QStringLiteral("Passe au jeu des lettres")},
        {111, QStringLiteral("Affiche la liste des 10 meilleures performances")},
        {120, QStringLiteral("Tapisse le fond de le fenêtre avec une couleur de votre choix")},
        {121, QStringLiteral("Change la police de caractères de la fenêtre des résultats")},
        {122, QStringLiteral("Variantes de règles pour les chiffres ou les lettres (mode entraînement seulement)")},
        {123, QStringLiteral("Affiche une palette pour entrer les lettres à la souris (mode entraînement seulement)")},
        {124, QStringLiteral("Charge un fichier bmp de votre choix pour tapisser le fond de la fenêtre")},
        {125, QStringLiteral("Affiche un choix de bitmaps pour tapisser le fond de la fenêtre")},
        {130, QStringLiteral("Sommaire de l'aide disponible")},
        {131, QStringLiteral("Comment utiliser l'aide en ligne")},
        {132, QStringLiteral("Affiche directement une aide appropriée au contexte")},
        {133, QStringLiteral("Affiche la version et le copyright")},
        {140, QStringLiteral("Passe en revue toutes les solutions")},
        {141, QStringLiteral("Continue la partie")},
        {170, QStringLiteral("Ajoute de nouveaux mots au lexique")},
        {171, QStringLiteral("Supprime des mots du lexique")},
        {172, QStringLiteral("Charge un lexique situé dans un autre répertoire")},
        {24310, QStringLiteral("Met fin au programme")},
        {24331, QStringLiteral("Commence une nouvelle partie")},
        {24332, QStringLiteral("Ouvre une partie précédemment enregistrée")},
        {24333, QStringLiteral("Enregistre la partie en cours pour pouvoir la poursuivre ultérieurement")},
        {24334, QStringLiteral("Enregistre la partie en cours sous un nouveau nom")},
        {24339, QStringLiteral("Quitte la partie en cours et retourne en mode entraînement")},
    };
    return hints;
}

} // namespace

class MenuTableTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void everyItemInEveryMode_data();
    void everyItemInEveryMode();

private:
    // The menu bar as the player finds it, one line per popup: "Title: item | item";
    // "~" before a grey item, " ✓" after a checked one, "-" for a separator.
    // Checks each item's hint on the way.
    QStringList MenuBarText() {
        QStringList lines;
        for (QAction* popup : game_.Frame().menuBar()->actions()) {
            QMenu* menu = popup->menu();
            emit menu->aboutToShow();
            QStringList items;
            for (const QAction* item : menu->actions()) {
                if (item->isSeparator()) {
                    items << QStringLiteral("-");
                    continue;
                }
                const int command = item->data().toInt();
                hintsRight_ = hintsRight_ && item->statusTip() == Hints().value(command);
                QString text = item->isEnabled() ? item->text() : QLatin1Char('~') + item->text();
                if (item->isChecked())
                    text += QStringLiteral(" ✓");
                items << text;
            }
            emit menu->aboutToHide();
            lines << popup->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | "));
        }
        return lines;
    }
    test::GameFixture game_;
    bool hintsRight_ = true;
};

void MenuTableTest::everyItemInEveryMode_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("menus");
    const QString help = QStringLiteral("&?: &Sommaire | &Utiliser l'aide | &Contextuelle | - | &A propos");
    const QString training = QStringLiteral(
        "&Fichier: &Nouvelle partie... | Rouvrir &partie... | ~&Enregistrer partie | ~Enregistrer partie s&ous... | "
        "~Qui&tter partie | - | &Quitter");
    const QString lexicon = QStringLiteral("&Lexique: &Ajouter mots... | &Supprimer mots... | &Changer de lexique...");
    // Steps: P hides the letter palette (shown at the first start) and shows the pattern palette, N shows the
    // numbers pane, M starts a match, C is "&Poursuivre", Q leaves the match.
    const QString lettersGame = QStringLiteral(
        "&Jeu: &Nouvelles lettres | &Voir les solutions... | Jouer aux &Chiffres | Les 10 &meilleurs...");
    QTest::newRow("lettres, entraînement")
        << QString()
        << QStringList{training, lettersGame,
                       QStringLiteral("&Options: &Couleurs... | Po&lices... | &Paramètres... | A&fficher palette ✓ | - "
                                      "| Fichier &bitmap... | Choi&x bitmap"),
                       lexicon, help};
    QTest::newRow("lettres, entraînement, motifs affichés")
        << QStringLiteral("P")
        << QStringList{training, lettersGame,
                       QStringLiteral("&Options: &Couleurs... | Po&lices... | &Paramètres... | A&fficher palette | - | "
                                      "Fichier &bitmap... | Choi&x bitmap ✓"),
                       lexicon, help};
    QTest::newRow("chiffres, entraînement")
        << QStringLiteral("N")
        << QStringList{training,
                       QStringLiteral("&Jeu: &Nouveaux nombres | &Voir les solutions... | Jouer aux &Lettres | "
                                      "Les 10 &meilleurs..."),
                       // The letter palette belongs to the letters game.
                       QStringLiteral("&Options: &Couleurs... | Po&lices... | &Paramètres... | ~A&fficher palette | - "
                                      "| Fichier &bitmap... | Choi&x bitmap"),
                       help};
    const QString matchOptions = QStringLiteral(
        "&Options: &Couleurs... | Po&lices... | ~&Paramètres... | ~A&fficher palette | - | Fichier &bitmap... | "
        "Choi&x bitmap");
    QTest::newRow("lettres, début de partie")
        << QStringLiteral("M")
        << QStringList{QStringLiteral("&Fichier: &Nouvelle partie... | Rouvrir &partie... | ~&Enregistrer partie | "
                                      "~Enregistrer partie s&ous... | Qui&tter partie | - | &Quitter"),
                       QStringLiteral("&Jeu: &Poursuivre | ~&Vérifier | ~Jouer aux &Chiffres | Les 10 &meilleurs..."),
                       matchOptions,
                       QStringLiteral("&Lexique: &Ajouter mots... | &Supprimer mots... | ~&Changer de lexique..."),
                       help};
    const QString playedFile = QStringLiteral(
        "&Fichier: &Nouvelle partie... | Rouvrir &partie... | &Enregistrer partie | Enregistrer partie s&ous... | "
        "Qui&tter partie | - | &Quitter");
    QTest::newRow("lettres, une manche jouée")
        << QStringLiteral("MC")
        << QStringList{playedFile,
                       QStringLiteral("&Jeu: &Poursuivre | &Vérifier | ~Jouer aux &Chiffres | Les 10 &meilleurs..."),
                       matchOptions,
                       QStringLiteral("&Lexique: &Ajouter mots... | &Supprimer mots... | ~&Changer de lexique..."),
                       help};
    // Two letters rounds, then "&Poursuivre" brings the numbers pane.
    QTest::newRow("chiffres, partie")
        << QStringLiteral("MCCC")
        << QStringList{playedFile,
                       QStringLiteral("&Jeu: &Poursuivre | ~&Vérifier | ~Jouer aux &Lettres | Les 10 &meilleurs..."),
                       matchOptions, help};
    QTest::newRow("chiffres, partie quittée")
        << QStringLiteral("MCCCQ")
        << QStringList{training,
                       QStringLiteral("&Jeu: &Nouveaux nombres | &Voir les solutions... | Jouer aux &Lettres | "
                                      "Les 10 &meilleurs..."),
                       QStringLiteral("&Options: &Couleurs... | Po&lices... | &Paramètres... | ~A&fficher palette | - "
                                      "| Fichier &bitmap... | Choi&x bitmap"),
                       help};
}

void MenuTableTest::everyItemInEveryMode() {
    QFETCH(QString, steps);
    QFETCH(QStringList, menus);
    game_.StartQuick();
    TivApp& app = game_.App();
    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case 'P':
            QVERIFY(app.RunCommand(Command::LetterPalette));
            QVERIFY(app.RunCommand(Command::BitmapPalette));
            break;
        case 'N':
            app.ShowGame(Game::Numbers);
            break;
        case 'M':
            game_.NewMatch(QStringLiteral("Eva"), 1);
            break;
        case 'C':
            QVERIFY(app.RunCommand(Command::Continue));
            break;
        case 'Q':
            // Leaving asks whether to save the match: no.
            game_.Prompts().QueueAnswer(PromptAnswer::No);
            QVERIFY(app.RunCommand(Command::QuitMatch));
            break;
        }
    }
    hintsRight_ = true;
    QCOMPARE(MenuBarText(), menus);
    QVERIFY(hintsRight_);
}

LEXINUM_GUI_TEST(MenuTableTest)
#include "MenuTableTest.moc"
