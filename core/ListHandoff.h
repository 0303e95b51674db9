// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What an album list hands on to the picture lists of its albums beyond the album records: each
// site family derives its own record (the Tieba name, the hosts the Qzone route service named, a
// page kept from the listing), named and typed for what it holds. The album-list job keeps the one
// its list made until the next list starts.
struct ListHandoff {
    virtual ~ListHandoff() = default;
};
