#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

// Things kept under numbers that rows hold in a cell. Numbers start at 1 and are never handed out
// twice, so a stale number in a row cannot reach another row's thing. Portable.
template <typename Thing>
struct NumberedStore {
    std::map<int, Thing> things;
    int lastNumber = 0;
};

template <typename Thing>
int AddNumbered(NumberedStore<Thing>& store, Thing thing) {
    int number = ++store.lastNumber;
    store.things.emplace(number, std::move(thing));
    return number;
}

// Null for a number that is not (or no longer) in the store.
template <typename Thing>
const Thing* FindNumbered(const NumberedStore<Thing>& store, int number) {
    auto found = store.things.find(number);
    return found == store.things.end() ? nullptr : &found->second;
}

// Takes the thing out, for its owner to free; false when the number is not in the store.
template <typename Thing>
bool TakeNumbered(NumberedStore<Thing>& store, int number, Thing& taken) {
    auto found = store.things.find(number);
    if (found == store.things.end())
        return false;
    taken = std::move(found->second);
    store.things.erase(found);
    return true;
}

// Empties the store and hands back everything that was in it; numbers still go on from the last.
template <typename Thing>
std::vector<Thing> TakeAllNumbered(NumberedStore<Thing>& store) {
    std::vector<Thing> all;
    for (auto& entry : store.things)
        all.push_back(std::move(entry.second));
    store.things.clear();
    return all;
}
