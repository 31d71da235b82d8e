#pragma once

// The sample game of a first start, in a temporary program folder seeded
// once per benchmark run.

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "data/first_start.h"
#include "data/lotto_items.h"
#include "data/lottor_data.h"
#include "platform/program_folder.h"

namespace kelton::bench {

// One seeded program folder for the whole run.
class SampleFolder {
public:
    static SampleFolder& Get()
    {
        static SampleFolder folder;
        return folder;
    }
    bool Ok() const { return m_ok; }
    QString Path() const { return m_dir.path(); }
    // Removes the folder if the run made one, for a run that ends without
    // static destruction (the window benchmarks' main): 387 MB each.
    static void RemoveIfMade()
    {
        if (s_made)
            s_made->m_dir.remove();
    }

private:
    SampleFolder()
    {
        s_made = this;
        SetProgramFolder(m_dir.path());
        CLottoItem items;
        m_ok = m_dir.isValid() && SeedProgramFolder(items, SettingsFileState::NotRead);
    }
    static inline SampleFolder* s_made = nullptr;
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// Opens the seeded sample game; false, with the benchmark skipped, when it
// cannot be had.
inline bool OpenSample(benchmark::State& state, CLottorData& game)
{
    if (!SampleFolder::Get().Ok()) {
        state.SkipWithError("the sample game could not be seeded");
        return false;
    }
    if (game.OpenData(8, QString::fromLatin1(kSampleGamePath))) {
        state.SkipWithError("the sample game did not open");
        return false;
    }
    return true;
}

}  // namespace kelton::bench
