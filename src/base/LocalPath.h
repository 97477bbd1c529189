#pragma once

// A path on a fixed drive of this computer (C:\…) that no folder on its way, nor the path itself,
// sends elsewhere: no link or junction, no file of a cloud or archive store that must be fetched
// first. A question about it is answered at once; any other path (a share, a mapped network or
// removable drive, a pipe) may keep the one who asks waiting.
bool IsPlainLocalPath(const char* path);
