#include "data/program_inputs.h"
#include "recording_platform.h"
#include "ui/message_box_reporter.h"
#include "ui/platform.h"
#include "ui/qt_platform.h"
#include "ui/qt_translation.h"

#include "temp_dir.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(RecordingPlatform, InstallsItselfForItsLifetime) {
    Platform* before = &CurrentPlatform();
    EXPECT_NE(dynamic_cast<QtPlatform*>(before), nullptr);
    {
        RecordingPlatform platform;
        EXPECT_EQ(&CurrentPlatform(), &platform);
        {
            RecordingPlatform inner;
            EXPECT_EQ(&CurrentPlatform(), &inner);
        }
        EXPECT_EQ(&CurrentPlatform(), &platform);
    }
    EXPECT_EQ(&CurrentPlatform(), before);
}

TEST(RecordingPlatform, ScriptedAnswersAreTakenInOrderThenCancel) {
    RecordingPlatform platform;
    platform.yesNoAnswers = {true};
    platform.folderAnswers = {QStringLiteral("/data/horix"), std::nullopt};
    EXPECT_TRUE(CurrentPlatform().AskYesNo(nullptr, QStringLiteral("上書きしますか?")));
    EXPECT_FALSE(CurrentPlatform().AskYesNo(nullptr, QStringLiteral("もう一度?")));
    EXPECT_EQ(CurrentPlatform().BrowseFolder(nullptr, QStringLiteral("t"), QStringLiteral("/a")),
              QStringLiteral("/data/horix"));
    EXPECT_EQ(CurrentPlatform().BrowseFolder(nullptr, QStringLiteral("t"), {}), std::nullopt);
    EXPECT_EQ(CurrentPlatform().BrowseFolder(nullptr, QStringLiteral("t"), {}), std::nullopt);
    EXPECT_EQ(platform.questions.size(), 2u);
    ASSERT_EQ(platform.folderBrowses.size(), 3u);
    EXPECT_EQ(platform.folderBrowses[0].initialFolder, QStringLiteral("/a"));
}

TEST(RecordingPlatform, RunModalLetsTheHandlerDecideTheResult) {
    RecordingPlatform platform;
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("CDlgSample"));
    auto* ok = new QPushButton(&dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    platform.modalHandlers.push_back([ok](QDialog& shown) {
        EXPECT_TRUE(shown.isVisible());
        ok->click();
    });
    EXPECT_EQ(CurrentPlatform().RunModal(dialog), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(CurrentPlatform().RunModal(dialog), QDialog::Rejected) << "no handler: cancelled";
    EXPECT_EQ(platform.modalDialogs,
              (std::vector<QString>{QStringLiteral("CDlgSample"), QStringLiteral("CDlgSample")}));
}

TEST(RecordingPlatform, TimersFireOnlyWhileRunningAndMayStopThemselves) {
    RecordingPlatform platform;
    int ticks = 0;
    std::unique_ptr<PlatformTimer> timer;
    timer = CurrentPlatform().CreateTimer([&] {
        if (++ticks == 3) {
            timer->Stop();
        }
    });
    EXPECT_EQ(platform.FireTimers(), 0);
    timer->Start(1);
    while (platform.FireTimers() > 0) {
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer->IsActive());
    timer->Start(1);
    timer.reset();
    EXPECT_EQ(platform.FireTimers(), 0) << "a destroyed timer never fires";
}

TEST(RecordingPlatform, WaitCursorAndPausesAreRecorded) {
    RecordingPlatform platform;
    {
        WaitCursor wait;
        EXPECT_EQ(platform.waitCursorDepth, 1);
        CurrentPlatform().Pause(500);
    }
    EXPECT_EQ(platform.waitCursorDepth, 0);
    EXPECT_EQ(platform.waitCursorShown, 1);
    EXPECT_EQ(platform.pauses, std::vector<int>{500});
}

TEST(RecordingPlatform, PrintingGoesToTheScriptedPdf) {
    RecordingPlatform platform;
    test::TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "page.pdf").string());
    platform.printAnswers = {pdf, std::nullopt};
    PrintRequest request;
    request.documentName = QStringLiteral("HORIX");
    std::unique_ptr<QPrinter> printer = CurrentPlatform().ChoosePrinter(nullptr, request);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->docName(), QStringLiteral("HORIX"));
    {
        QPainter painter(printer.get());
        painter.drawText(QPointF(100, 100), QStringLiteral("印刷"));
    }
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_EQ(CurrentPlatform().ChoosePrinter(nullptr, request), nullptr);
}

TEST(ChooseExportFile, RefusesTheProgramsOwnInputsWithAMessage) {
    test::TempDir root;
    const std::string table = root.Write("data/map/zahyo/point_amedas.txt", "x");
    ProtectProgramInputs({(root.path() / "data").string(), "", ""});
    RecordingPlatform platform;
    platform.saveAnswers = {QString::fromStdString(table),
                            QString::fromStdString((root.path() / "mine.csv").string())};
    EXPECT_EQ(ChooseExportFile(platform, nullptr, {}), std::nullopt);
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_TRUE(platform.messages[0].startsWith(
        QStringLiteral("プログラムが読み込むデータファイルには出力できません。")));
    EXPECT_EQ(ChooseExportFile(platform, nullptr, {}),
              QString::fromStdString((root.path() / "mine.csv").string()));
    EXPECT_EQ(platform.messages.size(), 1U);
    ClearProtectedInputs();
}

TEST(MessageBoxReporter, ShowsCoreMessagesThroughThePlatform) {
    RecordingPlatform platform;
    MessageBoxReporter reporter;
    reporter.Report("データファイルが読み込めません。");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], QStringLiteral("データファイルが読み込めません。"));
}

TEST(QtTranslation, QtsOwnDialogsSpeakJapaneseWhereTheTranslationIsInstalled) {
    const bool available = QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                         QStringLiteral("/qtbase_ja.qm"));
    ASSERT_EQ(InstallQtTranslation(), available);
    if (!available) {
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
              QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("保存"));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
}

TEST(QtPlatform, BoxesStandOnTheNearestShownWindowOrTheScreen) {
    QWidget window;
    auto* child = new QWidget(&window);
    EXPECT_EQ(DialogAnchor(child), nullptr) << "nothing shown yet: centred on the screen";
    EXPECT_EQ(DialogAnchor(nullptr), nullptr);
    window.show();
    EXPECT_EQ(DialogAnchor(child), &window);
    QDialog opening(&window); // a viewer that reports while it is still opening
    auto* inOpening = new QWidget(&opening);
    EXPECT_EQ(DialogAnchor(inOpening), &window);
}

TEST(QtPlatform, WorkAreaIsTheScreensAvailableArea) {
    QtPlatform platform;
    EXPECT_FALSE(platform.WorkArea(nullptr).isEmpty());
}

} // namespace
} // namespace quorvane
