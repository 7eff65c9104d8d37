// Numbered-file operations of the environment object land here.
