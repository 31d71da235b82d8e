#include "platform/services.h"

#include <functional>
#include <optional>

#include <gtest/gtest.h>

namespace kelton {
namespace {

class IGreeter {
public:
    virtual ~IGreeter() = default;
    virtual int Greet() = 0;
};

struct Greeter : IGreeter {
    explicit Greeter(int n) : N(n) {}
    int Greet() override { return N; }
    int N;
};

using Counter = std::function<int()>;

// The installed greeter is the program's; every test leaves it as it found it.
class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Service<IGreeter>(), nullptr); }
    void TearDown() override
    {
        InstallService<IGreeter>(nullptr);
        EXPECT_EQ(Service<IGreeter>(), nullptr);
    }
    Greeter m_program{1};
    Greeter m_fake{2};
    Greeter m_other{3};
};

TEST_F(ServicesTest, AGuardOverridesTheInstalledServiceForItsScope)
{
    EXPECT_EQ(Service<IGreeter>(), nullptr);
    InstallService<IGreeter>(&m_program);
    EXPECT_EQ(Service<IGreeter>(), &m_program);
    {
        const ScopedService<IGreeter> fake(&m_fake);
        EXPECT_EQ(Service<IGreeter>()->Greet(), 2);
        {
            // None at all for an inner scope.
            const ScopedService<IGreeter> none(nullptr);
            EXPECT_EQ(Service<IGreeter>(), nullptr);
        }
        EXPECT_EQ(Service<IGreeter>(), &m_fake);
        // Installing meanwhile changes what comes back, not what is in force.
        InstallService<IGreeter>(&m_other);
        EXPECT_EQ(Service<IGreeter>(), &m_fake);
    }
    EXPECT_EQ(Service<IGreeter>(), &m_other);
}

TEST_F(ServicesTest, GuardsMayEndInAnyOrder)
{
    InstallService<IGreeter>(&m_program);
    std::optional<ScopedService<IGreeter>> first(std::in_place, &m_fake);
    std::optional<ScopedService<IGreeter>> second(std::in_place, &m_other);
    EXPECT_EQ(Service<IGreeter>(), &m_other);
    first.reset(); // the older one goes first: the newer stays in force
    EXPECT_EQ(Service<IGreeter>(), &m_other);
    second.reset();
    EXPECT_EQ(Service<IGreeter>(), &m_program);

    // The same implementation twice.
    first.emplace(&m_fake);
    second.emplace(&m_fake);
    first.reset();
    EXPECT_EQ(Service<IGreeter>(), &m_fake);
    second.reset();
    EXPECT_EQ(Service<IGreeter>(), &m_program);
}

TEST_F(ServicesTest, AFunctionServiceIsKeptByItsGuard)
{
    EXPECT_EQ(Service<Counter>(), nullptr);
    int calls = 0;
    {
        const ScopedService<Counter> counter([&calls] { return ++calls; });
        ASSERT_NE(Service<Counter>(), nullptr);
        EXPECT_EQ((*Service<Counter>())(), 1);
        EXPECT_EQ((*Service<Counter>())(), 2);
    }
    EXPECT_EQ(Service<Counter>(), nullptr);
    EXPECT_EQ(calls, 2);
    // Services of different types do not meet.
    const ScopedService<IGreeter> fake(&m_fake);
    EXPECT_EQ(Service<Counter>(), nullptr);
}

} // namespace
} // namespace kelton
