// The property pages module.
