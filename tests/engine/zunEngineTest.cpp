// Engine services: arrays and lists. That module objects live in the core
// allocator, null when it refuses, the allocation sweeps hold every operation to.
#include "zunAI.h"
#include "zunListChecks.h"
#include "zunTestFixture.h"

namespace {

using EngineTest = zunTest;

// Grows by 16 in one block and keeps the order; a failed growth keeps what it had.
TEST_F(EngineTest, ArrayGrowsBySixteenAndKeepsOrder)
{
    int values[40];
    zunArray<int> array;
    const int counts[] = {1, 16, 17, 32, 33};
    const int capacities[] = {16, 16, 32, 32, 48};
    int added = 0;
    for (int step = 0; step < 5; ++step) {
        if (step == 2) {
            zunStandIn::failAllocations(0, 1);
            array.add(&values[16]);   // refused: nothing changes
            EXPECT_EQ(array.count, 16);
            EXPECT_EQ(array.capacity, 16);
        }
        while (added < counts[step])
            array.add(&values[added++]);
        EXPECT_EQ(array.capacity, capacities[step]);
        EXPECT_EQ(array.count, counts[step]);
    }
    for (int i = 0; i < 33; ++i)
        EXPECT_EQ(array.data[i], &values[i]);
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks + 1);
}

// An item that counts its deletions, allocated like every module object.
struct Item {
    static int deleted;
    int id;
    explicit Item(int n) : id(n) {}
    ~Item() { ++deleted; }
    ZUN_MODULE_ALLOCATED
};
int Item::deleted = 0;

class ListTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        Item::deleted = 0;
    }
    void TearDown() override
    {
        list.deleteAll();
        zunTest::TearDown();
    }
    std::vector<int> walked()
    {
        std::vector<int> ids;
        list.walk([&](Item* item) { ids.push_back(item->id); });
        return ids;
    }
    zunList<Item> list;
};

// A null item ends walks but not counts or searches; a failed node leaves
// the list as it was.
TEST_F(ListTest, AppendGetAtAndNullItems)
{
    Item* a = new Item(1);
    Item* b = new Item(2);
    list.append(a);
    list.append(nullptr);
    list.append(b);
    EXPECT_EQ(list.getAt(2), b);
    EXPECT_EQ(list.getAt(-1), nullptr);
    EXPECT_EQ(list.getAt(3), nullptr);
    EXPECT_EQ(walked(), std::vector<int>{1});
    EXPECT_EQ(list.contains(b), 1);
    EXPECT_EQ(list.contains(nullptr), 1);
    Item c(3);
    zunStandIn::failAllocations(0, 1);
    EXPECT_EQ(list.append(&c), 0);
    EXPECT_EQ(checkedItems(list), (std::vector<Item*>{a, nullptr, b}));

    list.deleteAll();
    EXPECT_EQ(Item::deleted, 2);
    EXPECT_TRUE(checkedItems(list).empty());
}

TEST_F(ListTest, RemovalsUnlinkTheFirstNodeAndDeleteOnlyWhenAsked)
{
    Item* a = new Item(1);
    Item* b = new Item(2);
    list.append(a);
    list.append(b);
    list.append(a);
    list.remove(a);
    EXPECT_EQ(checkedItems(list), (std::vector<Item*>{b, a}));
    Item absent(9);
    list.remove(&absent);
    EXPECT_EQ(list.deleteItem(&absent), 0);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(Item::deleted, 0);

    EXPECT_EQ(list.deleteItem(b), 1);
    EXPECT_EQ(Item::deleted, 1);
    list.append(nullptr);
    EXPECT_EQ(list.removeLast(), 1);   // unlinks the null item, deletes nothing
    EXPECT_EQ(Item::deleted, 1);
    EXPECT_EQ(list.removeLast(), 1);
    EXPECT_EQ(Item::deleted, 2);
    EXPECT_TRUE(checkedItems(list).empty());
    EXPECT_EQ(list.removeLast(), 0);
}

// Filtering keeps the order and stops at a null item; a list's end releases
// its nodes only. (takeNodesOf has no caller in the module, the stand-in or
// the tools.)
TEST_F(ListTest, FilteringAndEndOfList)
{
    for (int id = 1; id <= 5; ++id)
        list.append(new Item(id));
    list.deleteUnless([](Item* item) { return item->id == 2 || item->id == 4; });
    EXPECT_EQ(walked(), (std::vector<int>{2, 4}));
    EXPECT_EQ(Item::deleted, 3);
    list.append(nullptr);
    list.append(new Item(6));
    list.deleteUnless([](Item*) { return 0; });
    EXPECT_EQ(Item::deleted, 5);
    EXPECT_EQ(checkedItems(list).size(), 2u);
    EXPECT_EQ(list.head->item, nullptr);

    Item* a = new Item(1);
    {
        zunList<Item> local;
        local.append(a);
    }
    EXPECT_EQ(Item::deleted, 5);
    delete a;
}

} // namespace
