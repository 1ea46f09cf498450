// A mutex with priority inheritance, for what the real-time keyer thread shares with ordinary
// threads.  With a plain mutex, a user-interface thread preempted by a busy machine while it
// holds the lock would hold up the keyer, and so a key edge, for a whole scheduler tick; with
// priority inheritance the holder runs at the keyer's priority until it lets go.
#pragma once

#include <pthread.h>

namespace vk {

class PiMutex {
 public:
  PiMutex() {
    pthread_mutexattr_t a;
    pthread_mutexattr_init(&a);
    pthread_mutexattr_setprotocol(&a, PTHREAD_PRIO_INHERIT);
    pthread_mutex_init(&m_, &a);
    pthread_mutexattr_destroy(&a);
  }
  ~PiMutex() { pthread_mutex_destroy(&m_); }
  PiMutex(const PiMutex&) = delete;
  PiMutex& operator=(const PiMutex&) = delete;

  void lock() { pthread_mutex_lock(&m_); }
  void unlock() { pthread_mutex_unlock(&m_); }
  bool try_lock() { return pthread_mutex_trylock(&m_) == 0; }

 private:
  pthread_mutex_t m_;
};

}  // namespace vk
