"""Where a user clicks: the middle of each control, in client coordinates of
its window (logical pixels)."""

# Main window.
TARGET_BOX = (150, 57)        # 编辑框1
PING_BUTTON = (280, 57)       # 按钮1
CONTINUOUS_BOX = (10, 101)    # 选择框1
FRONT_BOX = (256, 101)        # 选择框2
SITE_BUTTON = (160, 100)      # 按钮12
LOG_BOX = (150, 200)          # 编辑框2, in continuous mode

# Site window.
ADDRESS_BOX = (200, 52)       # 编辑框1
CHECK_BUTTON = (190, 108)     # 按钮1
SPEED_TEST_BUTTON = (190, 232)  # 按钮13
