#pragma once

// Platform records expose their columns as get_<column>() / set_<column>() pairs, the way the
// platform's record library names them. ORVANE_FIELD declares one column with its default.
#define ORVANE_FIELD(Type, name, init)                                                             \
public:                                                                                            \
    Type get_##name() const                                                                        \
    {                                                                                              \
        return m_##name;                                                                           \
    }                                                                                              \
    void set_##name(const Type &value)                                                             \
    {                                                                                              \
        m_##name = value;                                                                          \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type m_##name = init;

namespace orvane {
// Marks an absent or unset int throughout the platform's records.
constexpr int NoValue = -99999;
} // namespace orvane
