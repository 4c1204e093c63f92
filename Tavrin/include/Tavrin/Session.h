// The database session a task shares with its caller: the data-access layer's session
// (copies share one connection; a session that was never opened is allowed).
#pragma once

#include <DataAccess/DataAccess.h>
