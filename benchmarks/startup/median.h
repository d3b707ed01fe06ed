#pragma once

#include <algorithm>

// The middle of the values; of an even count, the mean of the middle two.
// Nothing measured counts as 0.
template<typename Values> double median(Values values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}
