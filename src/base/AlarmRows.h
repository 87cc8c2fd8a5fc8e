#pragma once

#include <array>
#include <stdexcept>

// The seventeen alarm rows are numbered 1..17 everywhere; any other index is a programming error.
constexpr int AlarmRowCount = 17;

template <typename T> class AlarmRows {
public:
    T& operator[](int row) { return values_.at(checked(row)); }
    const T& operator[](int row) const { return values_.at(checked(row)); }

    void fill(const T& value) { values_.fill(value); }

private:
    static std::size_t checked(int row) {
        if (row < 1 || row > AlarmRowCount)
            throw std::out_of_range("alarm row out of range");
        return static_cast<std::size_t>(row - 1);
    }

    std::array<T, AlarmRowCount> values_{};
};
