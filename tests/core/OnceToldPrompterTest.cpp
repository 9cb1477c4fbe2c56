// The prompter that tells a piece of news once: a message is not shown again
// while one shown since the last Forget holds its text; questions always go.
#include "common/OnceToldPrompter.h"

#include "RecordingPrompter.h"

#include <gtest/gtest.h>

namespace lexinum {
namespace {

TEST(OnceToldPrompter, AMessageSayingNothingNewIsNotShownAgainUntilForgotten) {
    test::RecordingPrompter shown;
    test::ActivePrompterGuard guard(shown);
    OnceToldPrompter news;
    const std::string lost = "Le lexique a été modifié et ne peut plus servir tel quel.\r\nPas de lex.ini.";
    news.Tell(lost, "Lexinum", PromptIcon::Exclamation);
    news.Tell(lost, "Lexinum", PromptIcon::Exclamation);
    news.Tell("Pas de lex.ini.", "Lexinum", PromptIcon::Exclamation); // part of what was said
    news.Tell("Lexique perdu.", "Lexinum", PromptIcon::Exclamation);  // something new
    shown.QueueAnswer(PromptAnswer::No);
    EXPECT_EQ(news.Ask(lost, "Lexinum", PromptIcon::Question, PromptButtons::YesNo), PromptAnswer::No);
    EXPECT_TRUE(news.ToldAny());
    news.Forget();
    EXPECT_FALSE(news.ToldAny());
    news.Tell(lost, "Lexinum", PromptIcon::Exclamation);
    std::vector<std::string> texts;
    for (const auto& message : shown.messages)
        texts.push_back(message.text);
    EXPECT_EQ(texts, (std::vector<std::string>{lost, "Lexique perdu.", lost, lost}));
}

} // namespace
} // namespace lexinum
