// Owner of one system object: released when the owner goes out of scope, handed on by moving.
// The traits say what the object is and how it is released, so that every kind of object the
// program holds is owned the same way.
#pragma once

#include <utility>

namespace kestrune::win {

// Traits: `Value`, the object's type; `owns(value)`, whether a value names an object (the
// ones that name none are all kept as Value{}); `release(value)`, which frees it.
template <class Traits>
class Unique {
public:
    using Value = typename Traits::Value;

    Unique() = default;
    explicit Unique(Value value) : value_(Traits::owns(value) ? value : Value{}) {}
    Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, Value{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            reset();
            value_ = std::exchange(other.value_, Value{});
        }
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }

    Value get() const { return value_; }
    explicit operator bool() const { return value_ != Value{}; }
    void reset() {
        if (value_ != Value{}) Traits::release(value_);
        value_ = Value{};
    }

private:
    Value value_{};
};

}  // namespace kestrune::win
