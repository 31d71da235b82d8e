#pragma once

// Builds the eight statistics views of a history in a temporary folder.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/msg_service.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "engine/stat_views.h"
#include "stat_reference.h"

namespace kelton::test {

struct ViewSet {
    std::array<std::unique_ptr<CStat>, 8> Views;
    QString Base; // the data file's path; view v is Base + "." + v

    std::vector<CStat*> Pointers(int count = 8) const
    {
        std::vector<CStat*> out;
        for (int v = 0; v < count; ++v)
            out.push_back(Views[static_cast<size_t>(v)].get());
        return out;
    }
    QString PathOf(int v) const { return Base + QLatin1Char('.') + QString::number(v); }

    // Creates the views afresh and builds them over the whole history
    // (workers as BuildStatViews takes them; 0 its default).
    bool Create(CLottorHead& head, const QString& base, const History& h, int count = 8, int workers = 0)
    {
        Base = base;
        for (int v = 0; v < count; ++v) {
            Views[static_cast<size_t>(v)] = std::make_unique<CStat>();
            if (!Views[static_cast<size_t>(v)]->StatCreate(head, PathOf(v), static_cast<int16_t>(v)))
                return false;
        }
        return Update(h, 0, count, workers);
    }

    // Brings the open views up to date for a (changed) history from sStart.
    bool Update(const History& h, int32_t sStart, int count = 8, int workers = 0)
    {
        const std::vector<int16_t> flat = h.Flat();
        return workers > 0 ? !BuildStatViews(Pointers(count), h.Issues, flat, sStart, workers)
                           : !BuildStatViews(Pointers(count), h.Issues, flat, sStart);
    }
};

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline void AcceptGame(CLottorHead& head, const Game& g)
{
    head.SetHeadStr(DefinitionText(g));
    ASSERT_TRUE(head.Enable());
    head.CustomStat = static_cast<int16_t>(g.Custom);
}

// A game's views built in a temporary folder.
struct BuiltViews {
    QTemporaryDir Dir;
    CLottorHead Head;
    ViewSet Set;

    // Accepts the game and builds its first `count` views over the history
    // under the file name given; false when a view was not made or built.
    bool Build(const Game& g, const History& h, int count = 8, const char* name = "g")
    {
        AcceptGame(Head, g);
        return Set.Create(Head, Dir.filePath(QLatin1String(name)), h, count);
    }
};

// A fresh progress state and a recording display in force for the test.
struct ProgressFixture : ::testing::Test {
    MsgState msgState;
    ScopedService<MsgState> msgInForce{&msgState};
    HeadlessMsgDisplay display;
    ScopedService<IMsgDisplay> displayed{&display};
};

// A game shape and the length and seed of a random history of it, for the
// tests run over several shapes.
struct ShapeCase {
    const char* Name;
    Game Shape;
    int Draws;
    unsigned Seed;
};

// Names the shape cases' tests.
inline std::string ShapeCaseName(const ::testing::TestParamInfo<ShapeCase>& info)
{
    return info.param.Name;
}

} // namespace kelton::test
