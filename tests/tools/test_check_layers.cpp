#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelton {
namespace {

// The layer check run over a copy of src/ into which one breach was put: it
// fails and names the file and the breach. The clean copy passes.
struct Breach {
    const char* Name;
    // Files added to the copy, with their text.
    std::vector<std::pair<const char*, const char*>> Files;
    // What the check's report says of it.
    const char* Reported;
};

struct CheckRun {
    int Exit = -1;
    QString Report; // what the check wrote to its error output
};

void PrintTo(const Breach& breach, std::ostream* os)
{
    *os << breach.Name;
}

// One copy of src/ for the whole suite; each case takes its files out again.
class CheckLayersTest : public ::testing::TestWithParam<Breach> {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(s_dir->isValid());
        QProcess copy;
        copy.start(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(KELTON_SOURCE_TREE), Src()});
        ASSERT_TRUE(copy.waitForFinished(60000));
        ASSERT_EQ(copy.exitCode(), 0);
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    void TearDown() override
    {
        for (const QString& path : m_added)
            QFile::remove(path);
    }

    static QString Src() { return s_dir->filePath(QStringLiteral("src")); }

    void Add(const char* path, const char* text)
    {
        QFile file(QDir(Src()).filePath(QString::fromUtf8(path)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        m_added << file.fileName();
    }

    static CheckRun Check()
    {
        QProcess check;
        check.start(QStringLiteral("bash"), {QStringLiteral(KELTON_CHECK_LAYERS), Src()});
        check.waitForFinished(60000);
        return {check.exitCode(), QString::fromUtf8(check.readAllStandardError())};
    }

    static std::unique_ptr<QTemporaryDir> s_dir;
    QStringList m_added;
};

std::unique_ptr<QTemporaryDir> CheckLayersTest::s_dir;

TEST_F(CheckLayersTest, TheCleanTreePasses)
{
    const CheckRun run = Check();
    EXPECT_EQ(run.Exit, 0) << run.Report.toStdString();
    EXPECT_TRUE(run.Report.isEmpty()) << run.Report.toStdString();
}

TEST_P(CheckLayersTest, AnInjectedBreachFailsTheCheck)
{
    const Breach& breach = GetParam();
    for (const auto& [path, text] : breach.Files)
        Add(path, text);
    const CheckRun run = Check();
    EXPECT_EQ(run.Exit, 1);
    // A breach of one file is reported by its name; a circle by the folders.
    if (breach.Files.size() == 1) {
        EXPECT_TRUE(run.Report.contains(QString::fromUtf8(breach.Files[0].first)))
            << run.Report.toStdString();
    }
    EXPECT_TRUE(run.Report.contains(QString::fromUtf8(breach.Reported))) << run.Report.toStdString();
}

const Breach kBreaches[] = {
    {"ModelIncludesAWindow",
     {{"filter/injected.cpp", "#include \"filter/ui/filter_form.h\"\n"}},
     "includes the window header filter/ui/filter_form.h"},
    {"ModelIncludesNetworking",
     {{"games/injected.cpp", "#include \"shell/net/downloader.h\"\n"}},
     "includes the networking header shell/net/downloader.h"},
    {"LowerLayerIncludesAHigherOne",
     {{"core/injected.cpp", "#include \"data/lottor_data.h\"\n"}},
     "(layer 1) includes data/lottor_data.h (layer 2)"},
    {"ModelsInACircle",
     {{"games/injected.cpp", "#include \"formula/way.h\"\n"},
      {"formula/injected.cpp", "#include \"games/game_list.h\"\n"}},
     "the subsystems' models include each other in a circle"},
    {"ModelMakesAnAnalysisWindow",
     {{"data/injected.cpp", "void Make(IInferFormFactory& f, CStat& s) { f.CreateInferForm(0, s); }\n"}},
     "asks for an analysis window"},
    {"AngleBracketsHideAProjectHeader",
     {{"filter/ui/injected.cpp", "#include <filter/filter_run.h>\n"}},
     "includes the project header filter/filter_run.h with <...>"},
    {"HostIncludesAWindowAboveIt",
     {{"host/ui/injected.cpp", "#include \"filter/ui/filter_form.h\"\n"}},
     "(window layer 1) includes the window header filter/ui/filter_form.h (window layer 2)"},
    {"WindowsInACircle",
     {{"filter/ui/injected.cpp", "#include \"formula/ui/way_form.h\"\n"},
      {"formula/ui/injected.cpp", "#include \"filter/ui/filter_form.h\"\n"}},
     "the subsystems' windows include each other in a circle"},
    {"WindowMakesAnAnalysisWindow",
     {{"filter/ui/injected.cpp",
       "void Make(IInferFormFactory* f, CStat& s) { f->CreateInferForm(0, s); }\n"}},
     "asks for an analysis window"},
    {"WindowIncludesTheMainWindow",
     {{"filter/ui/injected.cpp", "#include \"shell/ui/mdi_main.h\"\n"}},
     "includes the main window's header shell/ui/mdi_main.h"},
};

INSTANTIATE_TEST_SUITE_P(Breaches, CheckLayersTest, ::testing::ValuesIn(kBreaches),
                         [](const ::testing::TestParamInfo<Breach>& info) { return info.param.Name; });

} // namespace
} // namespace kelton
