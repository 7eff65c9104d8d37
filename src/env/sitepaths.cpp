// Site paths and directory operations land here.
