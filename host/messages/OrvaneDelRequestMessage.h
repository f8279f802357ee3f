#pragma once

#include "OrvaneRequestMessage.h"

#include <vector>

// A request that deletes stored items by id.
class OrvaneDelRequestMessage : public OrvaneRequestMessage
{
public:
    QString getClassName() const override;

    void addID(int id) { m_ids.push_back(id); }
    const std::vector<int> &getIDs() const { return m_ids; }
    void clearIDs() { m_ids.clear(); }

private:
    std::vector<int> m_ids;
};
