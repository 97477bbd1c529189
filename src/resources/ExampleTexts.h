#pragma once

// Addresses and notices shown and used by the program, defined once for the resources and the
// code. Every host lies under the reserved .example domain.
#define VLD_SUPPORT_EMAIL "help@velmont.example"
#define VLD_WEB_HOME "http://www.velmont.example/"
#define VLD_WEB_FAQ "http://www.tessaly.example/velmont/faq.htm"
#define VLD_WEB_CONTACT "http://www.tessaly.example/contact.htm"
#define VLD_LIBINST_URL "http://www.tessaly.example/download/libinst.exe"
#define VLD_MAKER_NOTICE "Copyright (C) Tessaly Software"

#ifndef RC_INVOKED
inline constexpr const char* SupportEmailAddress = VLD_SUPPORT_EMAIL;
#endif
