#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// While this lives, the calling thread lacks the capabilities that let root read any file, so
// a file of mode 000 is as unreadable for root as for the writer.
class WithoutFileOverride {
public:
    WithoutFileOverride() {
        if (syscall(SYS_capget, &m_header, m_saved) != 0) return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &m_header, lowered);
    }
    ~WithoutFileOverride() { syscall(SYS_capset, &m_header, m_saved); }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
};
