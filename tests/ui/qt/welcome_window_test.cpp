// The welcome window on the offscreen platform: the galaxy show runs on the factory tables
// and gives the user's tables back, the credits open over it and the show goes on, the web
// button warns when no browser can be started, and dismissing leaves no stop flag behind.
#include "ui/qt/welcome_window.h"

#include "ui/logic/welcome_show.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>

#include "settings/factory_tables.h"
#include "ui/qt/credits_window.h"
#include "ui/qt/surface_picture.h"
#include "ui_test_support.h"

namespace astrelle {
namespace {

using testing_support::FeedbackRecorder;
using testing_support::LitPixels;

class WelcomeWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The user's own tables, unlike any factory row.
        for (int i = 0; i < kGalaxyTypeCount; ++i)
            types_[i] = {.Weight = 7, .Name = "mine " + std::to_string(i)};
        for (CompositeRecord& c : composites_) c.Name = "my composite";
    }
    void ExpectUserTables() {
        for (int i = 0; i < kGalaxyTypeCount; ++i) {
            EXPECT_EQ(types_[i].Name, "mine " + std::to_string(i));
            EXPECT_EQ(types_[i].Weight, 7);
        }
        for (const CompositeRecord& c : composites_) EXPECT_EQ(c.Name, "my composite");
    }
    WelcomeContext Context() { return WelcomeContext{process_, types_, composites_, nullptr}; }

    ProcessValues process_;
    GalaxyTypeTable types_{};
    CompositeTable composites_{};
};

TEST_F(WelcomeWindowTest, ShowRunsOnFactoryTablesAndGivesTheUserTablesBack) {
    WelcomeWindow window(Context());
    QTimer::singleShot(600, &window, [&] {
        EXPECT_TRUE(window.Show().Running());
        EXPECT_EQ(types_[0].Name, GalaxyTypeName(0));
        EXPECT_GT(LitPixels(window.Picture()->Snapshot()), 50);
        EXPECT_TRUE(testing_support::SaveScreenshot(window, "welcome"));
        window.DismissButton()->click();
    });
    window.exec();
    EXPECT_FALSE(window.Show().Running());
    EXPECT_GE(window.Show().PreviewsRun(), 1);
    ExpectUserTables();
    EXPECT_EQ(process_.StopRequested, 0);
    EXPECT_EQ(process_.PreviewStopRequested, 0);
}

TEST_F(WelcomeWindowTest, CreditsOpenOverTheShowWhichGoesOnAfterwards) {
    WelcomeWindow window(Context());
    bool creditsSeen = false;
    int previewsBefore = 0;
    QTimer::singleShot(300, &window, [&] {
        previewsBefore = window.Show().PreviewsRun();
        QTimer::singleShot(300, [&] {
            auto* credits = qobject_cast<CreditsWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(credits, nullptr);
            creditsSeen = true;
            EXPECT_EQ(credits->Setup().stars, 125);
            EXPECT_EQ(credits->Stars().Size(), 126u);
            credits->DismissButton()->click();
        });
        window.CreditsButton()->click();
        EXPECT_EQ(process_.StopRequested, 0);  // cleared for the show to go on
    });
    QTimer::singleShot(1000, &window, [&] {
        // The interrupted preview ended and the next composite type is running.
        EXPECT_TRUE(window.Show().Running());
        EXPECT_GT(window.Show().PreviewsRun(), previewsBefore);
        window.DismissButton()->click();
    });
    window.exec();
    EXPECT_TRUE(creditsSeen);
    ExpectUserTables();
    EXPECT_EQ(process_.StopRequested, 0);
}

TEST_F(WelcomeWindowTest, WebButtonOpensTheProductPageOrWarns) {
    FeedbackRecorder feedback;
    QUrl asked;
    const UrlOpener old = SetUrlOpener([&](const QUrl& url) {
        asked = url;
        return true;
    });
    WelcomeWindow window(Context());
    window.WebButton()->click();
    EXPECT_EQ(asked, QUrl(QString::fromUtf8(kProductPageUrl.data(), kProductPageUrl.size())));
    EXPECT_TRUE(feedback.warnings.isEmpty());

    SetUrlOpener([](const QUrl&) { return false; });
    window.WebButton()->click();
    ASSERT_EQ(feedback.warnings.size(), 1);
    EXPECT_EQ(feedback.warnings[0].toStdString(), ProductPageWarning());
    SetUrlOpener(old);
}

TEST_F(WelcomeWindowTest, DismissBeforeTheShowStartsLeavesNoStopBehind) {
    WelcomeWindow window(Context());
    window.Dismiss();
    EXPECT_EQ(process_.StopRequested, 0);
    ExpectUserTables();
}

}  // namespace
}  // namespace astrelle
