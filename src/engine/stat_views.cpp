#include "engine/stat_views.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/msg_service.h"
#include "data/lottor_head.h"
#include "engine/stat.h"
#include "engine/stat_edit.h"

namespace kelton {

namespace {

// How often a worker tells the threads that wait on it how far it got.
constexpr int32_t kPublishEvery = 16;
// Fewer records than this are built in turn: starting the threads would
// cost more than they save.
constexpr int32_t kRecordsWorthThreads = 256;

// The keys of the transformed views in record j of view 0: StatAll(kind, 0,
// v) less the row's smallest entry, as StatArray reads them back.
void CaptureKeys(const StatRecord& rec, size_t views, size_t n, int32_t j,
                 const std::array<std::unique_ptr<int16_t[]>, CStat::kViewCount>& keys)
{
    for (size_t v = 1; v < views; ++v) {
        const int kind = ViewStatKind(static_cast<int16_t>(v));
        int16_t least = rec.StatAll(kind, 0, 0);
        for (size_t x = 1; x < n; ++x)
            least = std::min(least, rec.StatAll(kind, 0, static_cast<int>(x)));
        int16_t* row = keys[v].get() + static_cast<size_t>(j) * n;
        for (size_t x = 0; x < n; ++x)
            row[x] = static_cast<int16_t>(rec.StatAll(kind, 0, static_cast<int>(x)) - least);
    }
}

// One view after the other on the calling thread, through StatEdit.
bool BuildInTurn(std::span<CStat* const> views, std::span<const int32_t> names, std::span<const int16_t> nums,
                 int32_t count, int32_t sStart, size_t n)
{
    std::array<std::unique_ptr<int16_t[]>, CStat::kViewCount> keys;
    for (size_t v = 1; v < views.size(); ++v)
        keys[v].reset(new int16_t[static_cast<size_t>(count) * n]);
    int32_t j = 0;
    auto capture = [&](const StatRecord& rec) { CaptureKeys(rec, views.size(), n, j++, keys); };
    if (views[0]->StatEdit(names, nums, {}, count, sStart, capture))
        return true;
    for (size_t v = 1; v < views.size(); ++v) {
        const std::span<const int16_t> rows(keys[v].get(), static_cast<size_t>(count) * n);
        if (views[v]->StatEdit(names, nums, rows, count, sStart))
            return true;
        keys[v].reset();
    }
    return false;
}

} // namespace

bool BuildStatViews(std::span<CStat* const> views, std::span<const int32_t> issues,
                    std::span<const int16_t> numbers, int32_t sStart)
{
    const bool worth = std::thread::hardware_concurrency() > 1 &&
                       static_cast<int64_t>(issues.size()) - sStart + 1 >= kRecordsWorthThreads;
    return BuildStatViews(views, issues, numbers, sStart, worth ? CStat::kViewCount : 1);
}

bool BuildStatViews(std::span<CStat* const> views, std::span<const int32_t> issues,
                    std::span<const int16_t> numbers, int32_t sStart, int workers)
{
    if (views.empty() || views.size() > static_cast<size_t>(CStat::kViewCount) || !views[0] ||
        !views[0]->Layout())
        return true;
    const int32_t draws = static_cast<int32_t>(issues.size());
    if (sStart < 0 || sStart > draws)
        return true;
    const int32_t count = draws - sStart + 1;
    const auto& layout = *views[0]->Layout();
    const size_t stride = static_cast<size_t>(layout.BM() + 1);
    const size_t n = static_cast<size_t>(layout.Values());
    if (numbers.size() < static_cast<size_t>(draws) * stride)
        return true;
    for (size_t v = 1; v < views.size(); ++v) {
        if (!views[v] || views[v]->DataIndex() != static_cast<int16_t>(v) || !views[v]->Layout() ||
            views[v]->Layout()->Values() != layout.Values())
            return true;
    }

    // The builder's inputs: the draws from sStart on and the next issue (0).
    std::vector<int32_t> names(issues.begin() + sStart, issues.end());
    names.push_back(0);
    const std::span<const int16_t> nums =
        numbers.subspan(static_cast<size_t>(sStart) * stride, static_cast<size_t>(draws - sStart) * stride);
    if (workers <= 1 || views.size() == 1)
        return BuildInTurn(views, names, nums, count, sStart, n);

    std::array<std::unique_ptr<int16_t[]>, CStat::kViewCount> keys;
    for (size_t v = 1; v < views.size(); ++v)
        keys[v].reset(new int16_t[static_cast<size_t>(count) * n]);
    const std::span<const int16_t> none;
    for (size_t v = 0; v < views.size(); ++v) {
        const std::span<const int16_t> rows =
            v == 0 ? none : std::span<const int16_t>(keys[v].get(), static_cast<size_t>(count) * n);
        if (!views[v]->CheckEditInput(names, nums, rows, count, sStart))
            return true;
    }

    // What the workers and the calling thread share, under one lock: how
    // far view 0's keys and every view's records are, and the stop.
    struct Lane {
        CStat::EditRun Run;
        int32_t Built = 0;
        bool Finished = false;
        bool Ok = false;
    };
    std::array<Lane, CStat::kViewCount> lanes;
    std::mutex lock;
    std::condition_variable changed;
    int32_t keysReady = 0;
    bool stop = false;
    const size_t viewCount = views.size();

    auto publish = [&](auto&& update) {
        {
            std::lock_guard guard(lock);
            update();
        }
        changed.notify_all();
    };

    size_t begun = 0;
    bool failed = false;
    for (; begun < viewCount && !failed; ++begun) {
        Lane& lane = lanes[begun];
        CStat::EditRun& run = lane.Run;
        run.Names = names;
        run.Nums = nums;
        run.Keys = begun == 0 ? none : std::span<const int16_t>(keys[begun].get(), static_cast<size_t>(count) * n);
        run.Count = count;
        run.Start = sStart;
        // A transformed view waits for view 0's keys of the record.
        int32_t known = 0;
        run.BeforeRecord = [&, begun, known](int32_t j) mutable {
            if (begun == 0 || j < known) {
                std::lock_guard guard(lock);
                return !stop;
            }
            std::unique_lock guard(lock);
            changed.wait(guard, [&] { return stop || keysReady > j; });
            known = keysReady;
            return !stop;
        };
        run.AfterRecord = [&, begun](int32_t j, const StatRecord& rec) {
            if (begun == 0)
                CaptureKeys(rec, viewCount, n, j, keys);
            if ((j + 1) % kPublishEvery == 0 || j + 1 == count) {
                publish([&] {
                    lanes[begun].Built = j + 1;
                    if (begun == 0)
                        keysReady = j + 1;
                });
            }
        };
        failed = !views[begun]->BeginEdit(run);
    }
    if (failed) {
        for (size_t v = 0; v < begun; ++v)
            views[v]->EndEdit(lanes[v].Run, false);
        return true;
    }

    std::vector<std::jthread> threads;
    threads.reserve(viewCount);
    for (size_t v = 0; v < viewCount; ++v) {
        threads.emplace_back([&, v] {
            const bool ok = views[v]->BuildRecords(lanes[v].Run);
            publish([&] {
                lanes[v].Finished = true;
                lanes[v].Ok = ok;
                if (!ok)
                    stop = true;
            });
        });
    }

    // The calling thread: the progress of each view in turn, one step and
    // one pass through the event loop per record, then the view's end.
    size_t ended = 0;
    for (; ended < viewCount && !failed; ++ended) {
        CStat& view = *views[ended];
        Lane& lane = lanes[ended];
        CMsg& msg = view.m_head->msg;
        MsgProgressGuard progress(msg, QStringLiteral("统计") + CStat::ViewName(view.DataIndex()), count, 0, 0,
                                  false);
        msg.DoEvents();
        for (int32_t j = 0; j < count;) {
            int32_t built = 0;
            bool finished = false;
            {
                std::unique_lock guard(lock);
                changed.wait(guard, [&] { return lane.Built > j || lane.Finished; });
                built = lane.Built;
                finished = lane.Finished;
            }
            for (; j < built; ++j) {
                msg.prgValue(j);
                msg.DoEvents();
            }
            if (finished && j >= built)
                break;
        }
        {
            std::unique_lock guard(lock);
            changed.wait(guard, [&] { return lane.Finished; });
            failed = !lane.Ok;
        }
        if (!view.EndEdit(lane.Run, !failed))
            failed = true;
    }
    if (failed) {
        publish([&] { stop = true; });
        threads.clear(); // joins
        for (size_t v = ended; v < viewCount; ++v)
            views[v]->EndEdit(lanes[v].Run, false);
    }
    return failed;
}

} // namespace kelton
