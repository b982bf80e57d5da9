// A buffer in front of a file stream, counting what goes through.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include <wx/stream.h>

// Collects the writer's small writes into large ones: without it every LZW sub-block is a
// system call. A failed write of the target is reported by the write that triggered it (or by
// Flush); the target keeps the system's reason.
class BufferedOutput : public wxOutputStream {
public:
    BufferedOutput(wxOutputStream& target, size_t capacity)
        : m_target(target), m_buffer(new char[capacity]), m_capacity(capacity)
    {
    }

    // Bytes taken so far, passed on or still held.
    uint64_t Written() const { return m_written; }

    bool Flush()
    {
        if (m_failed)
            return false;
        if (m_used > 0 && !Pass(m_buffer.get(), m_used))
            return false;
        m_used = 0;
        return m_lasterror == wxSTREAM_NO_ERROR;
    }

protected:
    size_t OnSysWrite(const void* data, size_t size) override
    {
        // A failure is final: nothing after a lost block could make a valid file.
        if (m_failed) {
            m_lasterror = wxSTREAM_WRITE_ERROR;
            return 0;
        }
        if (m_used + size > m_capacity) {
            if (!Flush())
                return 0;
        }
        if (size >= m_capacity) {
            if (!Pass(data, size))
                return 0;
            m_written += size;
            return size;
        }
        m_written += size;
        std::memcpy(m_buffer.get() + m_used, data, size);
        m_used += size;
        m_lasterror = wxSTREAM_NO_ERROR;
        return size;
    }

private:
    bool Pass(const void* data, size_t size)
    {
        if (m_target.Write(data, size).LastWrite() != size) {
            m_failed = true;
            m_lasterror = wxSTREAM_WRITE_ERROR;
            return false;
        }
        return true;
    }

    wxOutputStream& m_target;
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity;
    size_t m_used = 0;
    bool m_failed = false;
    uint64_t m_written = 0;
};
