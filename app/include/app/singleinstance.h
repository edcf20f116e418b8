// Whether another copy of the program already runs for this user.
//
// The first call claims a lock that the system releases when the process
// ends however it ends, so a killed or crashed copy never keeps the next one
// out; the claim is atomic, so of several copies started at the same instant
// exactly one wins. The lock lives in the user's own runtime folder, where no
// other user can hold it. Once this process holds it, every later call says
// no other copy runs: the program never counts itself.
#pragma once

namespace quotalis {

bool AnotherCopyRunning();

}  // namespace quotalis
