#pragma once

namespace dosber {

// Run first thing in main. A page fault of fresh memory is what loading a
// large company costs most on virtual machines (one 4 KiB page can take
// 20 µs there, against a few hundred nanoseconds of work per record): the
// heap grows in large steps and lies in transparent huge pages where the
// system offers them (2 MiB a fault), and freed memory stays for the next
// load instead of going back to the system. Elsewhere it does nothing.
void usehugepageheap();

}  // namespace dosber
