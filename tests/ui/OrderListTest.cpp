#include "ui/main/OrderList.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

using ui::OrderLink;
using ui::OrderList;

namespace {

struct Item {
    OrderLink<Item> link{this};
};

using List = OrderList<Item>;

// Checks every way of reading the list against the order it should have.
void expectOrder(const List& list, std::vector<Item*> expected) {
    ASSERT_EQ(list.size(), int(expected.size()));
    EXPECT_EQ(list.items(), expected);
    EXPECT_EQ(list.first(), expected.empty() ? nullptr : expected.front());
    EXPECT_EQ(list.last(), expected.empty() ? nullptr : expected.back());
    expected.push_back(nullptr); // what follows the last item
    for (int i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list.at(i), expected[i]);
        EXPECT_EQ(List::positionOf(expected[i]->link), i);
        EXPECT_EQ(List::next(expected[i]->link), expected[i + 1]);
    }
    EXPECT_EQ(list.at(-1), nullptr);
    EXPECT_EQ(list.at(list.size()), nullptr);
}

} // namespace

TEST(OrderList, RandomInsertsAndErasesKeepPositions) {
    std::mt19937 random(7);
    std::vector<std::unique_ptr<Item>> pool;
    std::vector<Item*> expected;
    List list;
    for (int step = 0; step <= 3000; ++step) {
        if (expected.empty() || random() % 3 != 0) {
            pool.push_back(std::make_unique<Item>());
            const int pos = int(random() % (expected.size() + 1));
            list.insert(pos, pool.back()->link);
            expected.insert(expected.begin() + pos, pool.back().get());
        } else {
            const int pos = int(random() % expected.size());
            list.erase(expected[pos]->link);
            EXPECT_FALSE(expected[pos]->link.linked());
            expected.erase(expected.begin() + pos);
        }
        if (step % 250 == 0)
            expectOrder(list, expected);
    }

    list.clear();
    expectOrder(list, {});
    for (const auto& item : pool)
        EXPECT_FALSE(item->link.linked());
}
