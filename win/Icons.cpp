#include "win/Icons.h"

UniqueIcon loadLargeIcon(HINSTANCE module, int resourceId)
{
    return UniqueIcon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                    LR_DEFAULTCOLOR)));
}
