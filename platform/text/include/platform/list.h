#pragma once

#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace fernwick {

// An array that carries its member count and is indexed from 1, as every
// list of the program is: loops run from 1 to count().
template <class T>
class List {
public:
    List() = default;
    List(std::initializer_list<T> members) : members_(members) {}

    int count() const { return static_cast<int>(members_.size()); }
    bool empty() const { return members_.empty(); }

    // The member at a 1-based position; a position outside 1..count() is a
    // programming error and ends the program.
    T& at(int position) { return members_.at(static_cast<std::size_t>(position - 1)); }
    const T& at(int position) const { return members_.at(static_cast<std::size_t>(position - 1)); }

    void append(T member) { members_.push_back(std::move(member)); }
    // Makes room for `count` members without changing the list.
    void reserve(int count) { members_.reserve(static_cast<std::size_t>(count)); }
    void clear() { members_.clear(); }

    auto begin() { return members_.begin(); }
    auto end() { return members_.end(); }
    auto begin() const { return members_.begin(); }
    auto end() const { return members_.end(); }

    friend bool operator==(const List&, const List&) = default;

private:
    std::vector<T> members_;
};

using TextList = List<Text>;

} // namespace fernwick
