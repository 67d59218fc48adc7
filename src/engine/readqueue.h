#pragma once
#include "ruledatabase.h"

#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <vector>

namespace tamrik::ruledb {

// Reads whose order does not matter, shared by the connections: each takes
// the next one left, in the order they were added.
class ReadQueue {
public:
    void add(std::function<void(const RuleDatabase&)> read) { m_reads.push_back(std::move(read)); }

    // Runs reads on `db` until none is left. A read's exception ends only that
    // read; the first is kept for rethrow().
    void work(const RuleDatabase& db)
    {
        for (std::size_t i; (i = m_next.fetch_add(1)) < m_reads.size();) {
            try {
                m_reads[i](db);
            } catch (...) {
                const std::lock_guard<std::mutex> hold(m_lock);
                if (!m_fault)
                    m_fault = std::current_exception();
            }
        }
    }

    void rethrow() const
    {
        if (m_fault)
            std::rethrow_exception(m_fault);
    }

private:
    std::vector<std::function<void(const RuleDatabase&)>> m_reads;
    std::atomic<std::size_t> m_next{0};
    std::mutex m_lock;
    std::exception_ptr m_fault;
};

}  // namespace tamrik::ruledb
