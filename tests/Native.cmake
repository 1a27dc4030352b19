# native-only targets
