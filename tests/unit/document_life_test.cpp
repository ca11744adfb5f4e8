// The question before unsaved changes are lost, Save, Save As and the title.
#include "app/document_life.h"

#include <gtest/gtest.h>

#include <deque>

#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

class ScriptedPrompts final : public SavePrompts {
public:
    SaveAnswer AskSaveChanges(std::string_view title) override {
        asked.push_back(SaveChangesQuestion(title));
        return answer;
    }
    std::optional<std::filesystem::path> AskSavePath(std::string_view title) override {
        asked.push_back("path for " + std::string(title));
        return path;
    }
    SaveAnswer answer = SaveAnswer::Cancel;
    std::optional<std::filesystem::path> path;
    std::vector<std::string> asked;
};

TEST(DocumentLifeTest, TitleOfNewAndOpenedDocuments) {
    DocFixture f;
    EXPECT_EQ(WindowTitle(*f), "Untitled - Orvanel");
    ASSERT_TRUE(f->OnOpenDocument(Fixture("two_points.lum")));
    EXPECT_EQ(WindowTitle(*f), "two_points.lum - Orvanel");
}

TEST(DocumentLifeTest, AnUnmodifiedDocumentIsDiscardedWithoutAQuestion) {
    DocFixture f;
    ScriptedPrompts prompts;
    EXPECT_TRUE(SaveModified(*f, prompts));
    EXPECT_TRUE(prompts.asked.empty());
}

TEST(DocumentLifeTest, AnswersToTheQuestion) {
    TempDir dir;
    struct Case {
        SaveAnswer answer;
        std::optional<std::filesystem::path> path;
        bool goOn;
        bool saved;
        std::vector<std::string> asked;
    };
    const Case cases[] = {
        {SaveAnswer::No, std::nullopt, true, false, {"Save changes to Untitled?"}},
        {SaveAnswer::Cancel, std::nullopt, false, false, {"Save changes to Untitled?"}},
        // Yes on an untitled document asks for a file; cancelling that keeps it.
        {SaveAnswer::Yes,
         std::nullopt,
         false,
         false,
         {"Save changes to Untitled?", "path for Untitled"}},
        {SaveAnswer::Yes,
         dir / "saved.lum",
         true,
         true,
         {"Save changes to Untitled?", "path for Untitled"}},
        // A save that fails keeps the document and its changes.
        {SaveAnswer::Yes,
         dir / "no such folder" / "x.lum",
         false,
         false,
         {"Save changes to Untitled?", "path for Untitled"}},
    };
    for (const Case& c : cases) {
        DocFixture f;
        AddPoints(*f, {{1, 2}});
        ScriptedPrompts prompts;
        prompts.answer = c.answer;
        prompts.path = c.path;
        EXPECT_EQ(SaveModified(*f, prompts), c.goOn);
        EXPECT_EQ(prompts.asked, c.asked);
        EXPECT_EQ(f->IsModified(), !c.saved);
        if (c.saved) {
            EXPECT_TRUE(std::filesystem::exists(*c.path));
            EXPECT_EQ(f->GetTitle(), "saved.lum");
        }
        std::filesystem::remove(dir / "saved.lum");
    }
}

TEST(DocumentLifeTest, SaveUsesTheOwnFileAndSaveAsAlwaysAsks) {
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{1, 2}});
    ScriptedPrompts prompts;
    prompts.path = dir / "a.lum";
    ASSERT_TRUE(SaveDocument(*f, prompts));
    EXPECT_EQ(prompts.asked.size(), 1u);
    AddPoints(*f, {{3, 4}});
    ASSERT_TRUE(SaveDocument(*f, prompts));
    EXPECT_EQ(prompts.asked.size(), 1u) << "a titled document saves without asking";
    prompts.path = dir / "b.lum";
    ASSERT_TRUE(SaveDocumentAs(*f, prompts));
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(f->GetPathName(), dir / "b.lum");
    EXPECT_EQ(ReadFileBytes(dir / "a.lum"), ReadFileBytes(dir / "b.lum"));
}

}  // namespace
}  // namespace orvanel::test
