// The colormap command: the printed page as a PDF, the part in view as a PNG.
#include "colormap/colormap_view.h"
#include "pdf_pages.h"
#include "run_process.h"
#include "temp_dir.h"

#include <QImage>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

using test::ShellQuote;

class CliColorMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        QImage picture(1298, 928, QImage::Format_RGB32);
        picture.fill(QColor(30, 120, 200));
        const std::string path = ColorMapPicturePath(data.str(), 1, 4);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(picture.save(QString::fromStdString(path), "PNG"));
    }
    test::ProcessResult Run(const std::string& arguments) {
        return test::RunProcess(QUORVANE_CLI_PATH,
                                "colormap --data-root " + ShellQuote(data.str()) + " " + arguments,
                                scratch, {});
    }
    std::string Out(const char* name) const { return (scratch.path() / name).string(); }

    test::TempDir data, scratch;
};

TEST_F(CliColorMapTest, PrintsOnePortraitPageAndCutsTheViewAsPng) {
    const test::ProcessResult pdf = Run("--kind 1 --period 4 --pdf " + ShellQuote(Out("m.pdf")));
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
    EXPECT_EQ(test::PdfMediaBoxes(Out("m.pdf")), std::vector<std::string>{test::kA4PortraitBox});

    const test::ProcessResult png =
        Run("--kind 1 --period 4 --view 100,50,749,900 --png " + ShellQuote(Out("m.png")));
    ASSERT_EQ(png.exitCode, 0) << png.err;
    const QImage part(QString::fromStdString(Out("m.png")));
    EXPECT_EQ(part.size(), QSize(649, 649 * 928 / 1298)) << "the height follows the width";
}

TEST_F(CliColorMapTest, AMissingPictureOrABadViewIsRefused) {
    const test::ProcessResult missing =
        Run("--kind 0 --period 0 --png " + ShellQuote(Out("x.png")));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("日射マップ画像が読み込めません。"), std::string::npos);
    EXPECT_EQ(
        Run("--kind 1 --period 4 --view 0,0,2000,10 --png " + ShellQuote(Out("y.png"))).exitCode,
        2);
    EXPECT_EQ(Run("--kind 3 --period 4 --png " + ShellQuote(Out("z.png"))).exitCode, 2);
    EXPECT_EQ(Run("--kind 1 --period 4").exitCode, 2) << "no output named";
    EXPECT_FALSE(std::filesystem::exists(Out("y.png")));
}

} // namespace
} // namespace quorvane
