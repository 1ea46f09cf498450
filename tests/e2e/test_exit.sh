# Ending the program: Alt+X and File > Exit end it with exit code 0.  With an empty log no log file appears.
source "$(dirname "$0")/lib.sh"
vk_setup "$1" "$2"

# A first start without any configuration creates it.
vk_start_desktop
[ "$(vk_cell 1 $((VK_WIDTH - 32)) 19)" = "Vorkan 4.0.19-8  []" ] || vk_fail "banner without call"
vk_quit
grep -q "Comment=<<- VORKAN Contest program ->>" "$VK_DIR/vorkan.cfg" || vk_fail "config not created"
[ ! -e "$VK_DIR/vorkan.adi" ] || vk_fail "an empty log wrote vorkan.adi"

# File > Exit.
vk_start_desktop
vk_key_sync M-F10 7100
vk_key_sync Down 5000
vk_wait_for "Exit              Alt+X"
vk_key_sync Up 4800
vk_key Enter
[ "$(vk_wait_exit)" = 0 ] || vk_fail "File > Exit"

exit 0
