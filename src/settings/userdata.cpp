// The settings store lands here.
