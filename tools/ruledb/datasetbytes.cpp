#include "datasetbytes.h"

#include "csvfile.h"

#include <cstring>

namespace ruledbtool {

namespace {

class Writer {
public:
    void number(std::uint64_t n) { raw(&n, sizeof n); }
    void text(std::string_view t)
    {
        number(t.size());
        m_bytes.append(t);
    }
    void raw(const void* p, std::size_t n) { m_bytes.append(static_cast<const char*>(p), n); }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    std::uint64_t number()
    {
        std::uint64_t n = 0;
        raw(&n, sizeof n);
        return n;
    }
    std::string text()
    {
        const std::uint64_t size = number();
        if (size > m_bytes.size() - m_at)
            throw FileError("the imported data ended early");
        std::string t(m_bytes.substr(m_at, size));
        m_at += size;
        return t;
    }
    void raw(void* p, std::size_t n)
    {
        if (n > m_bytes.size() - m_at)
            throw FileError("the imported data ended early");
        std::memcpy(p, m_bytes.data() + m_at, n);
        m_at += n;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

}  // namespace

std::string dataSetBytes(const DataSet& data)
{
    Writer out;
    out.number(data.tables.size());
    for (const Table& table : data.tables) {
        out.text(table.schema.name);
        out.number(table.schema.columns.size());
        for (const ColumnSchema& column : table.schema.columns) {
            out.text(column.name);
            out.number(static_cast<std::uint64_t>(column.type));
        }
        out.number(table.rows.size());
        for (const Row& row : table.rows) {
            out.text(row.where);
            for (const Value& value : row.values) {
                out.number(static_cast<std::uint64_t>(value.kind));
                out.raw(&value.integer, sizeof value.integer);
                out.raw(&value.real, sizeof value.real);
                out.text(value.text);
            }
        }
    }
    return out.take();
}

DataSet dataSetFromBytes(std::string_view bytes)
{
    Reader in(bytes);
    DataSet data;
    // Counts are only trusted as far as the bytes behind them go.
    for (std::uint64_t t = in.number(); t > 0; --t) {
        Table table;
        table.schema.name = in.text();
        for (std::uint64_t c = in.number(); c > 0; --c) {
            std::string name = in.text();
            table.schema.columns.push_back({std::move(name), static_cast<ColumnType>(in.number())});
        }
        for (std::uint64_t r = in.number(); r > 0; --r) {
            Row row{in.text(), {}};
            for (std::size_t c = 0; c < table.schema.columns.size(); ++c) {
                Value value;
                value.kind = static_cast<Value::Kind>(in.number());
                in.raw(&value.integer, sizeof value.integer);
                in.raw(&value.real, sizeof value.real);
                value.text = in.text();
                row.values.push_back(std::move(value));
            }
            table.rows.push_back(std::move(row));
        }
        data.tables.push_back(std::move(table));
    }
    return data;
}

}  // namespace ruledbtool
