// Example: two processes share one heap. The first lays it out and stores a text; the
// second attaches, finds the text at the same address and frees it.
// Family: Shared memory heap
#include <korvane/korvane.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  const DWORD size = 64 * 1024;
  BOOL created = FALSE;
  void* view = MemSharedInit(&created, size);
  // The first process to attach lays the heap out; the others check what it laid out.
  if (!view || MemSharedInitHeap(view, size, created) != 1) {
    std::printf("cannot attach\n");
    return 1;
  }

  if (argc == 3) {  // the second process: argv[2] is the text's address
    char* text = reinterpret_cast<char*>(std::strtoull(argv[2], nullptr, 16));
    std::printf("reader: new heap %d, marks intact %d, text \"%s\"\n", created, MemSharedCheck(text), text);
    MemSharedFree(text);
    MemSharedTerminate();
    return 0;
  }

  char* text = static_cast<char*>(MemSharedAlloc(32));
  std::strcpy(text, "hello from the writer");
  std::printf("writer: new heap %d\n", created);
  std::fflush(stdout);

  char command[1024];
  std::snprintf(command, sizeof command, "\"%s\" reader %" PRIxPTR, argv[0], reinterpret_cast<uintptr_t>(text));
  if (std::system(command) != 0) return 1;

  // The reader freed the only block, so the heap is empty again: the next block is
  // handed out where the text was.
  void* next = MemSharedAlloc(100);
  std::printf("writer: heap intact %d, next block where the text was %d\n", MemSharedCheckAll(), next == text);
  MemSharedTerminate();
  return 0;
}

/* Prints:
writer: new heap 1
reader: new heap 0, marks intact 1, text "hello from the writer"
writer: heap intact 1, next block where the text was 1
*/
