// The game's message boxes on screen: French buttons, the icon asked for,
// line breaks, and the player's answer.
#include "presentation/QtPrompter.h"
#include "GuiTestMain.h"
#include "app/FrenchTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace lexinum;

class QtPrompterTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxAnswersWithThePlayersButton();
    void promptTextBreaksLines();

private:
    static void OnBox(std::function<void(QMessageBox*)> act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = nullptr;
            QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            act(box);
        });
    }
};

void QtPrompterTest::messageBoxAnswersWithThePlayersButton() {
    QTranslator french;
    QVERIFY(LoadFrenchTexts(*QCoreApplication::instance(), french));
    QtPrompter boxes;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QStringList buttons;
    OnBox([&](QMessageBox* box) {
        icon = box->icon();
        text = box->text();
        for (const QAbstractButton* button : box->buttons())
            buttons << button->text().remove(QLatin1Char('&'));
        QCOMPARE(box->windowTitle(), QStringLiteral("Lexinum"));
        box->button(QMessageBox::No)->click();
    });
    const PromptAnswer answer = boxes.Ask("Partie modifiée!\r\nVoulez-vous sauvegarder la partie en cours?", "Lexinum",
                                          PromptIcon::Question, PromptButtons::YesNoCancel);
    QCOMPARE(answer, PromptAnswer::No);
    QCOMPARE(icon, QMessageBox::Question);
    buttons.sort();
    QCOMPARE(buttons, QStringList({"Annuler", "Non", "Oui"}));
    QCOMPARE(text, QStringLiteral("Partie modifiée!\nVoulez-vous sauvegarder la partie en cours?"));

    OnBox([&](QMessageBox* box) {
        icon = box->icon();
        box->reject();
    });
    QCOMPARE(boxes.Ask("Refusé", "Lexinum", PromptIcon::Stop, PromptButtons::OkCancel), PromptAnswer::Cancel);
    QCOMPARE(icon, QMessageBox::Critical);
    QCoreApplication::removeTranslator(&french);
}

void QtPrompterTest::promptTextBreaksLines() {
    QCOMPARE(QtPrompter::DisplayText("Partie modifiée!\r\nVoulez-vous sauvegarder la partie en cours?"),
             QStringLiteral("Partie modifiée!\nVoulez-vous sauvegarder la partie en cours?"));
    QCOMPARE(QtPrompter::DisplayText("a\rb\nc"), QStringLiteral("a\nb\nc"));
}

LEXINUM_GUI_TEST(QtPrompterTest)
#include "QtPrompterTest.moc"
